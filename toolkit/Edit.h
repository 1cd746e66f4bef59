#pragma once

#include <string>

#include "toolkit/Control.h"

namespace toolkit {

// A height of 0 gives an edit its standard height for its font.
struct EditArgs {
  std::string text{};
  Bounds bounds{};
  Anchors anchors = kAnchorsTopLeft;
  FontSpec font{};
};

// A single-line text field on the window background colour.
class Edit final : public Control {
 public:
  Edit(Window& parent, EditArgs args);

  // Selects the whole text, so that typing replaces it.
  void SelectAll() const;
};

}  // namespace toolkit

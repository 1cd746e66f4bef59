#pragma once

#include <functional>
#include <string>

#include "toolkit/Control.h"

namespace toolkit {

// A height of 0 gives an edit its standard height for its font.
struct EditArgs {
  std::string text{};
  Bounds bounds{};
  Anchors anchors = kAnchorsTopLeft;
  FontSpec font{};
  // Enter in the field, which then leaves the form's default button alone.
  std::function<void()> onEnter{};
};

// A single-line text field on the window background colour. Its cut, copy
// and paste keys are its own, before the form's commands of those keys.
class Edit final : public Control {
 public:
  Edit(Window& parent, EditArgs args);

  // Selects the whole text, so that typing replaces it.
  void SelectAll() const;
  void Rescale(int dpi) override;

 private:
  void FitHeight() const;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  std::function<void()> onEnter_;
};

}  // namespace toolkit

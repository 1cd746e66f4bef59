#pragma once

#include <string>
#include <vector>

#include "toolkit/Control.h"

namespace toolkit {

// The height is that of the dropped-down list; the field itself takes the
// standard height of its font.
struct ComboListArgs {
  std::vector<std::string> items{};
  Bounds bounds{};
  FontSpec font{};
};

// A drop-down list whose text part can be typed into; only the selected item
// counts. The list keeps the height it is given, not whole items.
class ComboList final : public Control {
 public:
  ComboList(Window& parent, ComboListArgs args);

  // The selected item's index, or -1.
  int SelectedIndex() const;
  // Selects the item; an index outside the items selects none.
  void Select(int index) const;
};

}  // namespace toolkit

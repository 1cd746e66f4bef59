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
  // The index of the item whose text the field shows, or -1. Typing over the
  // text leaves Wine's selection on the item picked before, which the user
  // no longer sees.
  int ShownIndex() const;
  // Selects the item; an index outside the items selects none.
  void Select(int index) const;

 private:
  std::vector<std::string> items_;
};

}  // namespace toolkit

#pragma once

#include <string>

#include "toolkit/Control.h"

namespace toolkit {

struct GroupBoxArgs {
  std::string text{};
  Bounds bounds{};
  FontSpec font{};
};

// A framed, captioned group that holds other controls: they are created with
// the group as their parent and placed in its client area.
class GroupBox final : public Control {
 public:
  GroupBox(Window& parent, GroupBoxArgs args);
};

}  // namespace toolkit

#pragma once

#include "toolkit/Control.h"

namespace toolkit {

struct PanelArgs {
  Bounds bounds{};
  Anchors anchors = kAnchorsTopLeft;
};

// An empty area in the button-face colour with a sunken edge.
class Panel final : public Control {
 public:
  Panel(Window& parent, PanelArgs args);
};

}  // namespace toolkit

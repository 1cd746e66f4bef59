#pragma once

#include <functional>

#include "toolkit/Control.h"
#include "toolkit/Layout.h"

namespace toolkit {

struct PanelArgs {
  Bounds bounds{};
  Anchors anchors = kAnchorsTopLeft;
  // Runs whenever its client area changed size, once the anchored controls
  // are in their places: for those it places itself.
  std::function<void()> onResize{};
};

// An area in the button-face colour with a sunken edge. It may hold
// controls: their bounds are in its client area, their anchors are to its
// edges, and what they notify reaches their objects.
class Panel final : public Control {
 public:
  Panel(Window& parent, PanelArgs args);

  Layout* ChildLayout() override { return &layout_; }
  void Rescale(int dpi) override;

 private:
  SIZE ClientSize() const;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  Layout layout_;
  std::function<void()> onResize_;
};

}  // namespace toolkit

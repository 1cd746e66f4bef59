#include "toolkit/Panel.h"

#include <utility>

namespace toolkit {

Panel::Panel(Window& parent, PanelArgs args)
    : Control(parent, {.className = L"STATIC",
                       .style = WS_CLIPCHILDREN,
                       .exStyle = WS_EX_STATICEDGE | WS_EX_CONTROLPARENT,
                       .bounds = args.bounds,
                       .anchors = args.anchors}),
      layout_(ClientSize()),
      onResize_(std::move(args.onResize)) {}

void Panel::Rescale(int dpi) {
  Control::Rescale(dpi);
  // At its designed size for the new DPI now; its parent's layout stretches it after.
  layout_.SetDesigned(ClientSize());
}

SIZE Panel::ClientSize() const {
  RECT client{};
  GetClientRect(hwnd_, &client);
  return {client.right, client.bottom};
}

LRESULT Panel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SIZE) {
    layout_.Apply({LOWORD(lParam), HIWORD(lParam)});
    if (onResize_) onResize_();
  }
  return CallOriginal(message, wParam, lParam);
}

}  // namespace toolkit

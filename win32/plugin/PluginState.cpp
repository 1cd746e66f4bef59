#include "plugin/PluginState.h"

#include <algorithm>

#include "toolkit/WorkArea.h"

namespace {

constexpr LONG kOnScreenWidth = 70;
constexpr LONG kFirstWidth = 500;
constexpr LONG kFirstHeight = 465;

RECT DesktopRectangle() {
  RECT desktop{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  return desktop;
}

}  // namespace

PluginState& State() {
  static PluginState state;
  return state;
}

void InitState(HWND hostWindow) {
  PluginState& state = State();
  state.HostWindow = hostWindow;
  state.MaxLeft = DesktopRectangle().right - toolkit::ScaleToDpi(kOnScreenWidth, toolkit::DpiOfWindow(hostWindow));
  state.DialogWidth = kFirstWidth;
  state.DialogHeight = kFirstHeight;
  state.DialogDpi = toolkit::kDesignDpi;
}

RECT DialogRectangle(const PluginState& state, int dpi) {
  const LONG width = toolkit::ScaleBetweenDpis(state.DialogWidth, state.DialogDpi, dpi);
  const LONG height = toolkit::ScaleBetweenDpis(state.DialogHeight, state.DialogDpi, dpi);
  RECT host{};
  POINT topLeft{};
  if (state.HostWindow != nullptr && GetWindowRect(state.HostWindow, &host)) {
    topLeft = {std::min(host.right, state.MaxLeft), host.top};
  } else {
    const RECT desktop = DesktopRectangle();
    topLeft = {(desktop.left + desktop.right - width) / 2, (desktop.top + desktop.bottom - height) / 2};
  }
  // Where that does not fit the screen's work area, moved inside it whole:
  // Ok and Cancel must be in reach.
  const RECT placed{topLeft.x, topLeft.y, topLeft.x + width, topLeft.y + height};
  return toolkit::FitInside(placed, toolkit::WorkAreaNear(placed));
}

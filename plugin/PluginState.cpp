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
  state.MaxLeft = DesktopRectangle().right - kOnScreenWidth;
  state.DialogWidth = kFirstWidth;
  state.DialogHeight = kFirstHeight;
}

RECT DialogRectangle(const PluginState& state) {
  RECT host{};
  POINT topLeft{};
  if (state.HostWindow != nullptr && GetWindowRect(state.HostWindow, &host)) {
    topLeft = {std::min(host.right, state.MaxLeft), host.top};
  } else {
    const RECT desktop = DesktopRectangle();
    topLeft = {(desktop.left + desktop.right - state.DialogWidth) / 2,
               (desktop.top + desktop.bottom - state.DialogHeight) / 2};
  }
  // Where that does not fit the screen's work area, moved inside it whole:
  // Ok and Cancel must be in reach.
  const RECT placed{topLeft.x, topLeft.y, topLeft.x + state.DialogWidth, topLeft.y + state.DialogHeight};
  return toolkit::FitInside(placed, toolkit::WorkAreaNear(placed));
}

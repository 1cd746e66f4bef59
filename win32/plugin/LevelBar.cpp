#include "plugin/LevelBar.h"

#include <windowsx.h>

#include "sound/Levels.h"

namespace {

// Between the bar's right end and its level; the level's text a pixel below
// the bar's top, level with it at the bar's standard height.
constexpr int kValueGap = 6;
constexpr int kValueDrop = 1;

}  // namespace

LevelBar::LevelBar(toolkit::Window& parent, toolkit::Bounds bounds)
    : ProgressBar(parent, {.bounds = bounds, .maximum = LevelSteps}),
      value_(parent,
             {.text = LevelText(0), .position = {bounds.left + bounds.width + kValueGap, bounds.top + kValueDrop}}) {}

void LevelBar::SetLevel(int level) {
  SetPosition(level);
  value_.SetText(LevelText(Position()));
}

LRESULT LevelBar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_XBUTTONDBLCLK:
      SetCapture(Handle());
      FollowPointer(lParam);
      return 0;
    case WM_MOUSEMOVE:
      if (!Following()) return 0;
      if (PointerOver(lParam))
        FollowPointer(lParam);
      else
        ReleaseCapture();
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_XBUTTONUP:
      if (Following()) ReleaseCapture();
      return 0;
  }
  return CallOriginal(message, wParam, lParam);
}

bool LevelBar::PointerOver(LPARAM point) const {
  POINT screen{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  ClientToScreen(Handle(), &screen);
  return WindowFromPoint(screen) == Handle();
}

void LevelBar::FollowPointer(LPARAM point) {
  RECT client{};
  GetClientRect(Handle(), &client);
  SetLevel(LevelAtPointer(GET_X_LPARAM(point), client.right));
}

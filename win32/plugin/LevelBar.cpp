#include "plugin/LevelBar.h"

#include <windowsx.h>

#include "sound/Levels.h"

LevelBar::LevelBar(toolkit::Window& parent, toolkit::Bounds bounds)
    : ProgressBar(parent, {.bounds = bounds, .maximum = LevelSteps}) {}

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

void LevelBar::FollowPointer(LPARAM point) const {
  RECT client{};
  GetClientRect(Handle(), &client);
  SetPosition(LevelAtPointer(GET_X_LPARAM(point), client.right));
}

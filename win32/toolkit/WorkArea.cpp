#include "toolkit/WorkArea.h"

#include <algorithm>

namespace toolkit {

RECT WorkAreaNear(const RECT& rect) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &monitor);
  return monitor.rcWork;
}

RECT FitInside(const RECT& rect, const RECT& area) {
  const LONG width = std::min(rect.right - rect.left, area.right - area.left);
  const LONG height = std::min(rect.bottom - rect.top, area.bottom - area.top);
  const LONG left = std::clamp(rect.left, area.left, area.right - width);
  const LONG top = std::clamp(rect.top, area.top, area.bottom - height);
  return {left, top, left + width, top + height};
}

RECT PlaceBeside(SIZE size, const RECT& beside, LONG below, const RECT& area) {
  LONG left = area.right - size.cx;
  LONG top = below;
  if (beside.right + size.cx <= area.right) {
    left = beside.right;
    top = beside.top;
  } else if (beside.left - size.cx >= area.left) {
    left = beside.left - size.cx;
    top = beside.top;
  }
  return FitInside({left, top, left + size.cx, top + size.cy}, area);
}

}  // namespace toolkit

#pragma once

#include <windows.h>

namespace toolkit {

// The work area (the screen less the taskbar) of the monitor nearest `rect`.
RECT WorkAreaNear(const RECT& rect);

// `rect` moved inside `area`, its size kept as far as the area holds it.
RECT FitInside(const RECT& rect, const RECT& area);

// Where a window of `size` goes beside the window `beside` inside `area`:
// right of it when there is room, else left of it, the tops of both level;
// else at the area's right edge, its top at `below` (clear of the other's
// caption and menu bar).
RECT PlaceBeside(SIZE size, const RECT& beside, LONG below, const RECT& area);

}  // namespace toolkit

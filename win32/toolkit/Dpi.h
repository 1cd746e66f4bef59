#pragma once

#include <windows.h>

namespace toolkit {

// Every place, size and font height of the layouts is given for a display of
// 96 DPI and scaled to the DPI of the window it belongs to.
constexpr int kDesignDpi = USER_DEFAULT_SCREEN_DPI;

// `value`, given at the design DPI, for a display of `dpi`, to the nearest pixel.
int ScaleToDpi(int value, int dpi);
SIZE ScaleToDpi(SIZE size, int dpi);
// The edges are scaled rather than the size, so that controls that touch or
// keep a gap at the design DPI still do.
RECT ScaleToDpi(const RECT& rect, int dpi);
// `value` at `from` DPI for a display of `to` DPI.
int ScaleBetweenDpis(int value, int from, int to);

// The DPI that the system shows a window at: its monitor's when the program
// follows each monitor's, the system's otherwise, and 96 for a program that
// Windows scales as a picture.
int DpiOfWindow(HWND window);
// The DPI of the main monitor, as the program sees it: for a window not made yet.
int SystemDpi();

// A size of the system (GetSystemMetrics) at `dpi`.
int SystemMetricForDpi(int index, int dpi);
// The outer rectangle of a window of the styles whose client area is `rect`, at `dpi`.
RECT OuterRectForDpi(const RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi);

}  // namespace toolkit

#include "toolkit/Dpi.h"

namespace toolkit {
namespace {

// The per-monitor functions came with Windows 10: looked up when called, so
// that the programs still start on Vista, where user32 lacks them.
template <typename Function>
Function User32Function(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

int ScaleToDpi(int value, int dpi) { return ScaleBetweenDpis(value, kDesignDpi, dpi); }

SIZE ScaleToDpi(SIZE size, int dpi) { return {ScaleToDpi(size.cx, dpi), ScaleToDpi(size.cy, dpi)}; }

RECT ScaleToDpi(const RECT& rect, int dpi) {
  return {ScaleToDpi(rect.left, dpi), ScaleToDpi(rect.top, dpi), ScaleToDpi(rect.right, dpi),
          ScaleToDpi(rect.bottom, dpi)};
}

int ScaleBetweenDpis(int value, int from, int to) { return from == to ? value : MulDiv(value, to, from); }

int DpiOfWindow(HWND window) {
  static const auto dpiForWindow = User32Function<decltype(&GetDpiForWindow)>("GetDpiForWindow");
  if (dpiForWindow != nullptr) {
    if (const UINT dpi = dpiForWindow(window); dpi != 0) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDesignDpi;
}

int SystemMetricForDpi(int index, int dpi) {
  static const auto metricForDpi = User32Function<decltype(&GetSystemMetricsForDpi)>("GetSystemMetricsForDpi");
  if (metricForDpi != nullptr) return metricForDpi(index, static_cast<UINT>(dpi));
  return ScaleBetweenDpis(GetSystemMetrics(index), SystemDpi(), dpi);
}

RECT OuterRectForDpi(const RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi) {
  static const auto adjustForDpi = User32Function<decltype(&AdjustWindowRectExForDpi)>("AdjustWindowRectExForDpi");
  RECT outer = rect;
  if (adjustForDpi != nullptr)
    adjustForDpi(&outer, style, menu, exStyle, static_cast<UINT>(dpi));
  else
    AdjustWindowRectEx(&outer, style, menu, exStyle);
  return outer;
}

}  // namespace toolkit

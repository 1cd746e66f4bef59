#include "tools/gui/HostWindow.h"

namespace {

constexpr wchar_t kClassName[] = L"AmbrelTestHost";

const wchar_t* RegisteredClass() {
  static const ATOM atom = [] {
    WNDCLASSW description{};
    description.lpfnWndProc = DefWindowProcW;
    description.hInstance = GetModuleHandleW(nullptr);  // the host program's own class
    description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    description.lpszClassName = kClassName;
    return RegisterClassW(&description);
  }();
  return atom != 0 ? kClassName : nullptr;
}

}  // namespace

HostWindow::HostWindow(const RECT& place)
    : hwnd_(CreateWindowExW(0, RegisteredClass(), L"Host scene editor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, place.left,
                            place.top, place.right - place.left, place.bottom - place.top, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr)) {}

HostWindow::~HostWindow() { DestroyWindow(hwnd_); }

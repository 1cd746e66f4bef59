#include "tools/gui/HostWindow.h"

namespace {

constexpr char kClassName[] = "AmbrelTestHost";

const char* RegisteredClass() {
  static const ATOM atom = [] {
    WNDCLASSA description{};
    description.lpfnWndProc = DefWindowProcA;
    description.hInstance = GetModuleHandleA(nullptr);  // the host program's own class
    description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    description.lpszClassName = kClassName;
    return RegisterClassA(&description);
  }();
  return atom != 0 ? kClassName : nullptr;
}

}  // namespace

HostWindow::HostWindow(const RECT& place)
    : hwnd_(CreateWindowExA(0, RegisteredClass(), "Host scene editor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, place.left,
                            place.top, place.right - place.left, place.bottom - place.top, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr)) {}

HostWindow::~HostWindow() { DestroyWindow(hwnd_); }

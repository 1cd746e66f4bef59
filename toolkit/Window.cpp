#include "toolkit/Window.h"

namespace toolkit {

std::string Window::Text() const {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd_)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(hwnd_, text.data(), static_cast<int>(text.size()))));
  return text;
}

void Window::SetText(const std::string& text) { SetWindowTextA(hwnd_, text.c_str()); }

void Window::MakeFont(const FontSpec& own, const FontSpec& inherited) {
  font_ = std::make_unique<Font>(MergeFont(own, inherited));
}

void Window::ApplyFont() const { SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE); }

bool ReflectToChild(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  HWND child = nullptr;
  if (message == WM_COMMAND)
    child = reinterpret_cast<HWND>(lParam);
  else if (message == WM_NOTIFY)
    child = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
  // Menus send no window; tooltips and other helpers are not our children.
  if (child == nullptr || GetAncestor(child, GA_PARENT) != parent) return false;
  result = SendMessageA(child, message == WM_COMMAND ? kReflectedCommand : kReflectedNotify, wParam, lParam);
  return true;
}

}  // namespace toolkit

#include "toolkit/Window.h"

namespace toolkit {

RECT Window::ScreenRect() const {
  RECT rect{};
  GetWindowRect(hwnd_, &rect);
  return rect;
}

std::string Window::Text() const {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd_)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(hwnd_, text.data(), static_cast<int>(text.size()))));
  return text;
}

void Window::SetText(const std::string& text) { SetWindowTextA(hwnd_, text.c_str()); }

void Window::MakeFont(const FontSpec& own, const FontSpec& inherited) {
  font_ = std::make_unique<Font>(MergeFont(own, inherited), dpi_);
}

void Window::RescaleFont(int dpi) {
  dpi_ = dpi;
  // The window lets go of the old font before it is deleted.
  const std::unique_ptr<Font> previous = std::move(font_);
  font_ = std::make_unique<Font>(previous->Settings(), dpi_);
  ApplyFont();
}

void Window::ApplyFont() const { SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE); }

}  // namespace toolkit

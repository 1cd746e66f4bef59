#include "toolkit/Window.h"

#include "os/WideText.h"

namespace toolkit {

RECT Window::ScreenRect() const {
  RECT rect{};
  GetWindowRect(hwnd_, &rect);
  return rect;
}

std::string Window::Text() const {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd_)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size()))));
  return os::Narrow(text);
}

void Window::SetText(const std::string& text) { SetWindowTextW(hwnd_, os::Widen(text).c_str()); }

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

void Window::ApplyFont() const { SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE); }

}  // namespace toolkit

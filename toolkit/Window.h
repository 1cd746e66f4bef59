#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "toolkit/Font.h"

namespace toolkit {

class Layout;

// What every window object shares: the HWND it owns and the font it shows
// its text in. Not copyable; the HWND is destroyed with the object unless the
// system destroyed it first (a closed window, a parent destroyed before).
class Window {
 public:
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window() = default;

  HWND Handle() const { return hwnd_; }
  HFONT FontHandle() const { return font_ ? font_->Handle() : nullptr; }
  const FontSpec& FontDescription() const { return font_->Settings(); }

  std::string Text() const;
  void SetText(const std::string& text);
  // The window's outer rectangle on the screen.
  RECT ScreenRect() const;

  // Keeps the children anchored to its edges; null for a window whose size
  // never changes.
  virtual Layout* ChildLayout() { return nullptr; }

 protected:
  Window() = default;
  // Makes the font that this window shows, from its own settings and the parent's.
  void MakeFont(const FontSpec& own, const FontSpec& inherited);
  void ApplyFont() const;

  HWND hwnd_ = nullptr;

 private:
  std::unique_ptr<Font> font_;
};

}  // namespace toolkit

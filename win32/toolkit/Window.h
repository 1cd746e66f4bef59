#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "toolkit/Dpi.h"
#include "toolkit/Font.h"

namespace toolkit {

class Layout;

// What every window object shares: the HWND it owns, the DPI it is laid out
// for and the font it shows its text in. Not copyable; the HWND is destroyed
// with the object unless the system destroyed it first (a closed window, a
// parent destroyed before).
class Window {
 public:
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window() = default;

  HWND Handle() const { return hwnd_; }
  HFONT FontHandle() const { return font_ ? font_->Handle() : nullptr; }
  const FontSpec& FontDescription() const { return font_->Settings(); }
  // The DPI that its places, sizes and font are scaled for.
  int Dpi() const { return dpi_; }

  std::string Text() const;
  void SetText(const std::string& text);
  // The window's outer rectangle on the screen.
  RECT ScreenRect() const;

  // Keeps the children anchored to its edges; null for a window whose size
  // never changes.
  virtual Layout* ChildLayout() { return nullptr; }

 protected:
  Window() = default;
  // Makes the font that this window shows, from its own settings and the
  // parent's, at the window's DPI.
  void MakeFont(const FontSpec& own, const FontSpec& inherited);
  void ApplyFont() const;
  // The window moved to a display of another DPI: its font made anew for it.
  void RescaleFont(int dpi);

  HWND hwnd_ = nullptr;
  int dpi_ = kDesignDpi;

 private:
  std::unique_ptr<Font> font_;
};

}  // namespace toolkit

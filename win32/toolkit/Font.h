#pragma once

#include <windows.h>

#include <string>

namespace toolkit {

// A font as the windows ask for it. The height is the cell height in pixels
// at the design DPI; an empty name or a height of 0 takes that part from the
// parent's font.
struct FontSpec {
  std::string name{};
  int height = 0;
  // Every character as wide as the next, whichever font stands in for a
  // name the system lacks; goes with the name.
  bool fixedPitch = false;
};

// The parts of `own` that are set, the rest from `inherited`.
FontSpec MergeFont(const FontSpec& own, const FontSpec& inherited);

// An owned GDI font, its height scaled for a display of `dpi`.
class Font {
 public:
  Font(const FontSpec& settings, int dpi);
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;
  ~Font();

  HFONT Handle() const { return handle_; }
  const FontSpec& Settings() const { return settings_; }

 private:
  FontSpec settings_;
  HFONT handle_;
};

// The size of `text` drawn in `font` on one line.
SIZE TextExtent(HFONT font, const std::string& text);

}  // namespace toolkit

#include "toolkit/Font.h"

#include "os/WideText.h"
#include "toolkit/Dpi.h"

namespace toolkit {

FontSpec MergeFont(const FontSpec& own, const FontSpec& inherited) {
  return {own.name.empty() ? inherited.name : own.name, own.height == 0 ? inherited.height : own.height,
          own.name.empty() ? inherited.fixedPitch : own.fixedPitch};
}

Font::Font(const FontSpec& settings, int dpi) : settings_(settings) {
  LOGFONTW description{};
  description.lfHeight = ScaleToDpi(settings.height, dpi);  // positive: the cell height
  description.lfWeight = FW_NORMAL;
  description.lfCharSet = DEFAULT_CHARSET;
  description.lfQuality = DEFAULT_QUALITY;
  if (settings.fixedPitch) description.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  lstrcpynW(description.lfFaceName, os::Widen(settings.name).c_str(), LF_FACESIZE);
  handle_ = CreateFontIndirectW(&description);
}

Font::~Font() { DeleteObject(handle_); }

SIZE TextExtent(HFONT font, const std::string& text) {
  SIZE size{};
  HDC dc = GetDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  const std::wstring wide = os::Widen(text);
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  size.cy = metrics.tmHeight;  // an empty text still takes a line
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
  return size;
}

}  // namespace toolkit

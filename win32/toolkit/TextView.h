#pragma once

#include <functional>
#include <string>
#include <vector>

#include "toolkit/Control.h"

namespace toolkit {

struct TextViewArgs {
  Bounds bounds{};
  Anchors anchors = kAnchorsTopLeft;
  FontSpec font{};
  // F2, Enter or a double-click: asks to edit what the view shows. With
  // it, the view takes F2 and Enter before the window's keys do.
  std::function<void()> onEditKey{};
};

// Read-only lines of text with scroll bars both ways and no wrapping, drawn
// by the view itself: only the lines in sight cost anything, where Wine's
// edit control takes tens of milliseconds to take even a few lines. The
// arrows, Page Up and Down, Home, End and the wheel scroll it; Ctrl+C
// copies the whole text; WM_GETTEXT reads it, lines ending in "\r\n".
class TextView final : public Control {
 public:
  TextView(Window& parent, TextViewArgs args);

  // `text` in UTF-8, its lines ending in "\n"; shown from its first line.
  void Show(const std::string& text);
  void Rescale(int dpi) override;

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Whether `key` is one that asks to edit.
  bool IsEditKey(WPARAM key) const;
  void Paint();
  // Draws the lines that fall in `area` of the client area onto `dc`.
  void DrawLines(HDC dc, const RECT& area);
  // The font's line height and character width, measured when first needed.
  void Measure();
  SIZE ClientSize() const;
  // Lines that fit the client area whole, one at least.
  int PageLines() const;
  void ScrollTo(int topLine, int left);
  void UpdateScrollBars();
  void Scroll(int bar, WORD request);
  void CopyAll() const;

  std::function<void()> onEditKey_;
  std::vector<std::wstring> lines_;
  std::wstring text_;  // the lines joined, as WM_GETTEXT gives it
  size_t widest_ = 0;  // characters in the longest line
  int topLine_ = 0;
  int left_ = 0;  // pixels scrolled to the right
  int lineHeight_ = 0;
  int charWidth_ = 0;
  // The scroll bars as last set: the same again draws them no more.
  struct ScrollBars {
    int lastLine, page, top, width, clientWidth, left;
    bool operator==(const ScrollBars&) const = default;
  };
  static constexpr ScrollBars kBarsUnset{-1, 0, 0, 0, 0, 0};
  ScrollBars bars_ = kBarsUnset;
};

}  // namespace toolkit

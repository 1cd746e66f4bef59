#include "toolkit/TextView.h"

#include <windowsx.h>

#include <algorithm>

#include "os/WideText.h"
#include "toolkit/Clipboard.h"
#include "toolkit/Dpi.h"
#include "toolkit/Shortcut.h"
#include "toolkit/WindowClass.h"

namespace toolkit {
namespace {

constexpr wchar_t kClassName[] = L"toolkit.TextView";
constexpr int kMargin = 2;  // pixels left of the text, at the design DPI
constexpr int kWheelLines = 3;

// Registered on the first view of the module, as WindowClass tells.
const wchar_t* RegisteredClass() {
  static const WindowClass viewClass([] {
    WNDCLASSEXW description{};
    description.style = CS_DBLCLKS;
    description.lpfnWndProc = DefWindowProcW;
    description.hCursor = LoadCursor(nullptr, IDC_ARROW);
    description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    description.lpszClassName = kClassName;
    return description;
  }());
  return viewClass.Name();
}

}  // namespace

TextView::TextView(Window& parent, TextViewArgs args)
    : Control(parent, {.className = RegisteredClass(),
                       .style = WS_TABSTOP | WS_VSCROLL | WS_HSCROLL,
                       .exStyle = WS_EX_CLIENTEDGE,
                       .bounds = args.bounds,
                       .anchors = args.anchors,
                       .font = args.font}),
      onEditKey_(std::move(args.onEditKey)) {
  UpdateScrollBars();
}

bool TextView::IsEditKey(WPARAM key) const { return onEditKey_ && (key == VK_F2 || key == VK_RETURN); }

void TextView::Show(const std::string& text) {
  text_.clear();
  lines_.clear();
  widest_ = 0;
  const std::wstring wide = os::Widen(text);
  size_t start = 0;
  while (start < wide.size()) {
    size_t end = wide.find(L'\n', start);
    if (end == std::wstring::npos) end = wide.size();
    lines_.emplace_back(wide, start, end - start);
    widest_ = std::max(widest_, end - start);
    start = end + 1;
  }
  text_.reserve(wide.size() + lines_.size());
  for (const wchar_t character : wide) {
    if (character == L'\n') text_ += L'\r';
    text_ += character;
  }
  topLine_ = 0;
  left_ = 0;
  UpdateScrollBars();
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void TextView::Rescale(int dpi) {
  Control::Rescale(dpi);
  lineHeight_ = 0;  // the font is another now, and so are the bars' sizes
  bars_ = kBarsUnset;
  UpdateScrollBars();
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void TextView::Measure() {
  if (lineHeight_ > 0) return;
  HDC dc = GetDC(hwnd_);
  HGDIOBJ previous = SelectObject(dc, FontHandle());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, previous);
  ReleaseDC(hwnd_, dc);
  lineHeight_ = std::max<int>(1, metrics.tmHeight);
  charWidth_ = std::max<int>(1, metrics.tmAveCharWidth);
}

SIZE TextView::ClientSize() const {
  RECT client{};
  GetClientRect(hwnd_, &client);
  return {client.right, client.bottom};
}

int TextView::PageLines() const { return std::max(1, static_cast<int>(ClientSize().cy) / lineHeight_); }

void TextView::UpdateScrollBars() {
  Measure();
  const ScrollBars bars{std::max(0, static_cast<int>(lines_.size()) - 1),
                        PageLines(),
                        topLine_,
                        static_cast<int>(widest_) * charWidth_ + 2 * ScaleToDpi(kMargin, Dpi()),
                        std::max<int>(1, ClientSize().cx),
                        left_};
  // Under Wine each drawing of the scroll bars costs milliseconds of the
  // display server's: they are drawn only when they change, with the next paint.
  if (bars == bars_) return;
  bars_ = bars;
  SCROLLINFO vertical{};
  vertical.cbSize = sizeof vertical;
  vertical.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  vertical.nMax = bars.lastLine;
  vertical.nPage = static_cast<UINT>(bars.page);
  vertical.nPos = bars.top;
  SetScrollInfo(hwnd_, SB_VERT, &vertical, FALSE);
  SCROLLINFO horizontal = vertical;
  horizontal.nMax = bars.width;
  horizontal.nPage = static_cast<UINT>(bars.clientWidth);
  horizontal.nPos = bars.left;
  SetScrollInfo(hwnd_, SB_HORZ, &horizontal, FALSE);
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TextView::ScrollTo(int topLine, int left) {
  Measure();
  const int lastTop = std::max(0, static_cast<int>(lines_.size()) - PageLines());
  const int lastLeft = std::max(
      0, static_cast<int>(widest_) * charWidth_ + 2 * ScaleToDpi(kMargin, Dpi()) - static_cast<int>(ClientSize().cx));
  topLine = std::clamp(topLine, 0, lastTop);
  left = std::clamp(left, 0, lastLeft);
  if (topLine == topLine_ && left == left_) return;
  topLine_ = topLine;
  left_ = left;
  UpdateScrollBars();
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void TextView::Scroll(int bar, WORD request) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(hwnd_, bar, &info);
  const int line = bar == SB_VERT ? 1 : charWidth_;
  const int page = bar == SB_VERT ? PageLines() : static_cast<int>(info.nPage);
  int position = info.nPos;
  switch (request) {
    case SB_LINEUP:
      position -= line;
      break;
    case SB_LINEDOWN:
      position += line;
      break;
    case SB_PAGEUP:
      position -= page;
      break;
    case SB_PAGEDOWN:
      position += page;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      position = info.nTrackPos;
      break;
    case SB_TOP:
      position = 0;
      break;
    case SB_BOTTOM:
      position = info.nMax;
      break;
    default:
      return;
  }
  if (bar == SB_VERT)
    ScrollTo(position, left_);
  else
    ScrollTo(topLine_, position);
}

void TextView::Paint() {
  Measure();
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(hwnd_, &paint);
  const RECT& area = paint.rcPaint;
  const int width = area.right - area.left, height = area.bottom - area.top;
  // Drawn off the screen first and put on it in one piece: under Wine every
  // line drawn on the window itself is a round trip to the display server.
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = width > 0 && height > 0 ? CreateCompatibleBitmap(dc, width, height) : nullptr;
  if (memory != nullptr && bitmap != nullptr) {
    HGDIOBJ previousBitmap = SelectObject(memory, bitmap);
    SetViewportOrgEx(memory, -area.left, -area.top, nullptr);
    DrawLines(memory, area);
    BitBlt(dc, area.left, area.top, width, height, memory, area.left, area.top, SRCCOPY);
    SelectObject(memory, previousBitmap);
  } else {
    DrawLines(dc, area);
  }
  if (bitmap != nullptr) DeleteObject(bitmap);
  if (memory != nullptr) DeleteDC(memory);
  EndPaint(hwnd_, &paint);
}

void TextView::DrawLines(HDC dc, const RECT& area) {
  FillRect(dc, &area, GetSysColorBrush(COLOR_WINDOW));
  HGDIOBJ previous = SelectObject(dc, FontHandle());
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkMode(dc, TRANSPARENT);
  const int first = topLine_ + static_cast<int>(area.top) / lineHeight_;
  const int end = std::min(static_cast<int>(lines_.size()),
                           topLine_ + (static_cast<int>(area.bottom) + lineHeight_ - 1) / lineHeight_);
  for (int line = std::max(first, 0); line < end; ++line) {
    const std::wstring& text = lines_[static_cast<size_t>(line)];
    TextOutW(dc, ScaleToDpi(kMargin, Dpi()) - left_, (line - topLine_) * lineHeight_, text.data(),
             static_cast<int>(text.size()));
  }
  SelectObject(dc, previous);
}

void TextView::CopyAll() const {
  Clipboard clipboard(hwnd_);
  clipboard.PutText(text_);
}

LRESULT TextView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint fills what it draws
    case WM_SIZE:
      ScrollTo(topLine_, left_);
      UpdateScrollBars();
      return 0;
    case WM_VSCROLL:
      Scroll(SB_VERT, LOWORD(wParam));
      return 0;
    case WM_HSCROLL:
      Scroll(SB_HORZ, LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL:
      ScrollTo(topLine_ - GET_WHEEL_DELTA_WPARAM(wParam) * kWheelLines / WHEEL_DELTA, left_);
      return 0;
    case WM_LBUTTONDOWN:
      SetFocus(hwnd_);
      return 0;
    case WM_LBUTTONDBLCLK:
      if (onEditKey_) onEditKey_();
      return 0;
    case WM_GETDLGCODE: {
      const auto* asked = reinterpret_cast<const MSG*>(lParam);
      // Its own copy too, before a form's command of that key.
      const bool own = asked != nullptr && asked->message == WM_KEYDOWN &&
                       (IsEditKey(asked->wParam) || (asked->wParam == 'C' && IsTextClipboardKey(asked->wParam)));
      return DLGC_WANTARROWS | (own ? DLGC_WANTMESSAGE : 0);
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(text_.size());
    case WM_GETTEXT: {
      if (wParam == 0) return 0;
      const size_t copied = std::min(text_.size(), static_cast<size_t>(wParam) - 1);
      auto* into = reinterpret_cast<wchar_t*>(lParam);
      std::copy_n(text_.data(), copied, into);
      into[copied] = L'\0';
      return static_cast<LRESULT>(copied);
    }
    case WM_KEYDOWN: {
      if (IsEditKey(wParam)) {
        onEditKey_();
        return 0;
      }
      const bool control = GetKeyState(VK_CONTROL) < 0;
      switch (wParam) {
        case VK_UP:
          ScrollTo(topLine_ - 1, left_);
          return 0;
        case VK_DOWN:
          ScrollTo(topLine_ + 1, left_);
          return 0;
        case VK_PRIOR:
          ScrollTo(topLine_ - PageLines(), left_);
          return 0;
        case VK_NEXT:
          ScrollTo(topLine_ + PageLines(), left_);
          return 0;
        case VK_HOME:
          ScrollTo(0, control ? left_ : 0);
          return 0;
        case VK_END:
          ScrollTo(static_cast<int>(lines_.size()), left_);
          return 0;
        case VK_LEFT:
          ScrollTo(topLine_, left_ - charWidth_);
          return 0;
        case VK_RIGHT:
          ScrollTo(topLine_, left_ + charWidth_);
          return 0;
        case 'C':
          if (!control) break;
          CopyAll();
          return 0;
      }
      break;
    }
  }
  return CallOriginal(message, wParam, lParam);
}

}  // namespace toolkit

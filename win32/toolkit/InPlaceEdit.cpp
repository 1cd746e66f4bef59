#include "toolkit/InPlaceEdit.h"

#include <utility>

namespace toolkit {

InPlaceEdit::InPlaceEdit(Window& over, InPlaceEditArgs args)
    : Control(over, {.className = L"EDIT", .style = WS_BORDER | ES_AUTOHSCROLL, .font = args.font}),
      onEnter_(std::move(args.onEnter)) {
  ShowWindow(hwnd_, SW_HIDE);
  // The hex of a long run of bytes is longer than an edit's first limit.
  Send(EM_SETLIMITTEXT, 0, 0);
  // The window below paints around the box, not over it.
  HWND below = GetParent(hwnd_);
  SetWindowLongPtrW(below, GWL_STYLE, GetWindowLongPtrW(below, GWL_STYLE) | WS_CLIPCHILDREN);
}

void InPlaceEdit::Open(const RECT& place, const std::string& text) {
  SetText(text);
  SetWindowPos(hwnd_, HWND_TOP, place.left, place.top, place.right - place.left, place.bottom - place.top,
               SWP_SHOWWINDOW);
  open_ = true;
  SetFocus(hwnd_);
  Send(EM_SETSEL, 0, -1);
}

void InPlaceEdit::Close() {
  if (!std::exchange(open_, false)) return;
  HWND below = GetParent(hwnd_);
  if (GetFocus() == hwnd_) SetFocus(below);
  ShowWindow(hwnd_, SW_HIDE);
  InvalidateRect(below, nullptr, TRUE);
}

void InPlaceEdit::OnEnter() {
  entering_ = true;
  try {
    onEnter_(Text());
  } catch (...) {
    entering_ = false;
    throw;
  }
  entering_ = false;
  if (open_) SetFocus(hwnd_);  // back from a box that refused the text
}

LRESULT InPlaceEdit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE:
      return CallOriginal(message, wParam, lParam) | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) {
        Close();
        return 0;
      }
      if (wParam == VK_RETURN) {
        if (onEnter_) OnEnter();
        return 0;
      }
      break;
    case WM_CHAR:
      if (wParam == '\r' || wParam == 0x1B) return 0;  // a single-line edit would beep
      break;
    case WM_KILLFOCUS:
      if (!entering_) Close();
      break;
  }
  return CallOriginal(message, wParam, lParam);
}

}  // namespace toolkit

#include "toolkit/Edit.h"

#include "toolkit/Dpi.h"
#include "toolkit/Shortcut.h"

namespace toolkit {

Edit::Edit(Window& parent, EditArgs args)
    : Control(parent, {.className = L"EDIT",
                       .style = WS_TABSTOP | ES_AUTOHSCROLL,
                       .exStyle = WS_EX_CLIENTEDGE,
                       .text = args.text,
                       .bounds = args.bounds,
                       .anchors = args.anchors,
                       .font = args.font}),
      onEnter_(std::move(args.onEnter)) {
  FitHeight();
}

void Edit::Rescale(int dpi) {
  Control::Rescale(dpi);
  FitHeight();
}

void Edit::FitHeight() const {
  // The text's line, the sunken edge and a one-pixel margin above and below.
  const int edges = 2 * (SystemMetricForDpi(SM_CYEDGE, Dpi()) + ScaleToDpi(1, Dpi()));
  FitOpenHeight(TextExtent(FontHandle(), "").cy + edges);
}

void Edit::SelectAll() const { Send(EM_SETSEL, 0, -1); }

LRESULT Edit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE: {
      // The form's keyboard handling asks first: Enter would press its
      // default button, and the keys of cut, copy and paste run the form's
      // commands.
      const auto* asked = reinterpret_cast<const MSG*>(lParam);
      const bool own = asked != nullptr && asked->message == WM_KEYDOWN &&
                       ((onEnter_ && asked->wParam == VK_RETURN) || IsTextClipboardKey(asked->wParam));
      return CallOriginal(message, wParam, lParam) | (own ? DLGC_WANTMESSAGE : 0);
    }
    case WM_KEYDOWN:
      if (wParam != VK_RETURN || !onEnter_) break;
      onEnter_();
      return 0;
    case WM_CHAR:
      if (wParam == '\r' && onEnter_) return 0;  // a single-line edit would beep
      break;
  }
  return CallOriginal(message, wParam, lParam);
}

}  // namespace toolkit

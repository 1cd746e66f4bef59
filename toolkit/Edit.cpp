#include "toolkit/Edit.h"

namespace toolkit {

Edit::Edit(Window& parent, EditArgs args)
    : Control(parent, {.className = "EDIT",
                       .style = WS_TABSTOP | ES_AUTOHSCROLL,
                       .exStyle = WS_EX_CLIENTEDGE,
                       .text = args.text,
                       .bounds = args.bounds,
                       .anchors = args.anchors,
                       .font = args.font}) {
  if (args.bounds.height == 0) {
    // The text's line, the sunken edge and a one-pixel margin above and below.
    const int edges = 2 * (GetSystemMetrics(SM_CYEDGE) + 1);
    Resize(args.bounds.width, TextExtent(FontHandle(), "").cy + edges);
  }
}

void Edit::SelectAll() const { Send(EM_SETSEL, 0, -1); }

}  // namespace toolkit

#include "toolkit/Panel.h"

namespace toolkit {

Panel::Panel(Window& parent, PanelArgs args)
    : Control(parent,
              {.className = L"STATIC", .exStyle = WS_EX_STATICEDGE, .bounds = args.bounds, .anchors = args.anchors}) {}

}  // namespace toolkit

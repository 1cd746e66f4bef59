#include "toolkit/GroupBox.h"

namespace toolkit {

GroupBox::GroupBox(Window& parent, GroupBoxArgs args)
    : Control(parent, {.className = L"BUTTON",
                       .style = BS_GROUPBOX | WS_CLIPSIBLINGS,
                       // Tab and the arrow keys step into the controls it holds.
                       .exStyle = WS_EX_CONTROLPARENT,
                       .text = args.text,
                       .bounds = args.bounds,
                       .font = args.font}) {}

}  // namespace toolkit

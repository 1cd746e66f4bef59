#include "toolkit/GroupBox.h"

namespace toolkit {

GroupBox::GroupBox(Window& parent, GroupBoxArgs args)
    : Control(parent, {.className = "BUTTON",
                       .style = BS_GROUPBOX | WS_CLIPSIBLINGS,
                       .text = args.text,
                       .bounds = args.bounds,
                       .font = args.font}) {}

}  // namespace toolkit

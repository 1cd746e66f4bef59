#include "toolkit/Button.h"

namespace toolkit {

Button::Button(Window& parent, ButtonArgs args)
    : Control(parent, {.className = "BUTTON",
                       .style = static_cast<DWORD>(WS_TABSTOP | BS_PUSHBUTTON | (args.flat ? BS_FLAT : 0)),
                       .text = args.text,
                       .bounds = args.bounds,
                       .anchors = args.anchors,
                       .font = args.font}),
      onClick_(std::move(args.onClick)) {}

void Button::OnCommand(WORD code) {
  if (code == BN_CLICKED && onClick_) onClick_();
}

}  // namespace toolkit

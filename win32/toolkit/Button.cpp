#include "toolkit/Button.h"

namespace toolkit {

namespace {

// The keyboard handling of every form (IsDialogMessage) sends IDOK for Enter
// and IDCANCEL for Escape, with the button of that identifier.
int IdOf(ButtonRole role) {
  switch (role) {
    case ButtonRole::Default:
      return IDOK;
    case ButtonRole::Cancel:
      return IDCANCEL;
    default:
      return 0;
  }
}

}  // namespace

Button::Button(Window& parent, ButtonArgs args)
    : Control(parent,
              {.className = L"BUTTON",
               .style = static_cast<DWORD>(WS_TABSTOP | (args.flat ? BS_FLAT : 0) |
                                           (args.role == ButtonRole::Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON)),
               .text = args.text,
               .bounds = args.bounds,
               .anchors = args.anchors,
               .font = args.font,
               .id = IdOf(args.role)}),
      onClick_(std::move(args.onClick)) {}

void Button::OnCommand(WORD code) {
  if (code == BN_CLICKED && onClick_) onClick_();
}

}  // namespace toolkit

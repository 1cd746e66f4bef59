#include "toolkit/Label.h"

namespace toolkit {

Label::Label(Window& parent, LabelArgs args)
    : Control(parent, {.className = L"STATIC",
                       .style = SS_LEFTNOWORDWRAP | SS_NOPREFIX,
                       .text = args.text,
                       .bounds = {args.position.x, args.position.y, 0, 0},
                       .font = args.font}) {
  FitText();
}

void Label::SetText(const std::string& text) {
  Window::SetText(text);
  FitText();
}

void Label::Rescale(int dpi) {
  Control::Rescale(dpi);
  FitText();
}

void Label::FitText() const {
  const SIZE size = TextExtent(FontHandle(), Text());
  Resize(size.cx, size.cy);
}

}  // namespace toolkit

#include "toolkit/ProgressBar.h"

#include <commctrl.h>

namespace toolkit {

ProgressBar::ProgressBar(Window& parent, ProgressBarArgs args)
    : Control(parent, {.className = PROGRESS_CLASSW, .style = PBS_SMOOTH, .bounds = args.bounds}) {
  if (args.bounds.height == 0) Resize(args.bounds.width, GetSystemMetrics(SM_CYHSCROLL));
  Send(PBM_SETRANGE32, 0, args.maximum);
}

int ProgressBar::Position() const { return static_cast<int>(Send(PBM_GETPOS, 0, 0)); }

void ProgressBar::SetPosition(int position) const { Send(PBM_SETPOS, static_cast<WPARAM>(position), 0); }

}  // namespace toolkit

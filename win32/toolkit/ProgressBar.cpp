#include "toolkit/ProgressBar.h"

#include <commctrl.h>

#include "toolkit/Dpi.h"

namespace toolkit {

ProgressBar::ProgressBar(Window& parent, ProgressBarArgs args)
    : Control(parent, {.className = PROGRESS_CLASSW, .style = PBS_SMOOTH, .bounds = args.bounds}) {
  FitHeight();
  Send(PBM_SETRANGE32, 0, args.maximum);
}

void ProgressBar::Rescale(int dpi) {
  Control::Rescale(dpi);
  FitHeight();
}

void ProgressBar::FitHeight() const { FitOpenHeight(SystemMetricForDpi(SM_CYHSCROLL, Dpi())); }

int ProgressBar::Position() const { return static_cast<int>(Send(PBM_GETPOS, 0, 0)); }

void ProgressBar::SetPosition(int position) const { Send(PBM_SETPOS, static_cast<WPARAM>(position), 0); }

}  // namespace toolkit

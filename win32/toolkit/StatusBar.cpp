#include "toolkit/StatusBar.h"

#include <commctrl.h>

#include "os/WideText.h"

namespace toolkit {

StatusBar::StatusBar(Window& parent, StatusBarArgs args)
    : Control(parent, {.className = STATUSCLASSNAMEW,
                       // The layout places it: it must neither size nor move itself.
                       .style = CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER | SBARS_SIZEGRIP,
                       .bounds = args.bounds,
                       .anchors = args.anchors,
                       .font = args.font}),
      partWidths_(std::move(args.partWidths)) {
  ApplyParts();
}

void StatusBar::SetPartText(size_t part, const std::string& text) const {
  Send(SB_SETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(os::Widen(text).c_str()));
}

void StatusBar::Rescale(int dpi) {
  Control::Rescale(dpi);
  ApplyParts();
}

void StatusBar::ApplyParts() const {
  std::vector<int> ends;
  int end = 0;
  for (const int width : partWidths_) ends.push_back(end += ScaleToDpi(width, dpi_));
  ends.push_back(-1);  // the last part reaches the right edge
  Send(SB_SETPARTS, ends.size(), reinterpret_cast<LPARAM>(ends.data()));
}

}  // namespace toolkit

#pragma once

#include "toolkit/Control.h"

namespace toolkit {

// A height of 0 gives the bar the standard height of a horizontal scroll bar.
struct ProgressBarArgs {
  Bounds bounds{};
  int maximum = 100;
};

// A smooth bar that shows a position from 0 to its maximum.
class ProgressBar : public Control {
 public:
  ProgressBar(Window& parent, ProgressBarArgs args);

  int Position() const;
  // Clamped to 0 to the maximum by the bar itself.
  void SetPosition(int position) const;
  void Rescale(int dpi) override;

 private:
  void FitHeight() const;
};

}  // namespace toolkit

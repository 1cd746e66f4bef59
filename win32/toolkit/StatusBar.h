#pragma once

#include <string>
#include <vector>

#include "toolkit/Control.h"

namespace toolkit {

struct StatusBarArgs {
  Bounds bounds{};
  Anchors anchors = kAnchorsTopLeft;
  FontSpec font{};
  // The widths of the parts before the last, which takes the rest; at the
  // design DPI.
  std::vector<int> partWidths{};
};

// A line of text parts, sunken, with a grip at its right end: placed and
// sized by its parent's layout like any control, not by itself.
class StatusBar final : public Control {
 public:
  StatusBar(Window& parent, StatusBarArgs args);

  void SetPartText(size_t part, const std::string& text) const;
  void Rescale(int dpi) override;

 private:
  // Tells the control where its parts end, at its DPI.
  void ApplyParts() const;

  std::vector<int> partWidths_;
};

}  // namespace toolkit

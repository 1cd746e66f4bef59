#pragma once

#include <string>

#include "toolkit/Control.h"

namespace toolkit {

struct LabelArgs {
  std::string text{};
  POINT position{};
  FontSpec font{};
};

// Static text that is always exactly as large as its text.
class Label final : public Control {
 public:
  Label(Window& parent, LabelArgs args);

  void SetText(const std::string& text);
  void Rescale(int dpi) override;

 private:
  void FitText() const;
};

}  // namespace toolkit

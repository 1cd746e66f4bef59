#pragma once

#include <functional>
#include <string>

#include "toolkit/Control.h"

namespace toolkit {

struct ButtonArgs {
  std::string text{};
  Bounds bounds{};
  Anchors anchors = kAnchorsTopLeft;
  FontSpec font{};
  bool flat = false;
  std::function<void()> onClick{};
};

class Button final : public Control {
 public:
  Button(Window& parent, ButtonArgs args);

 private:
  void OnCommand(WORD code) override;

  std::function<void()> onClick_;
};

}  // namespace toolkit

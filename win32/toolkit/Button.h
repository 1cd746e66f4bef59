#pragma once

#include <functional>
#include <string>

#include "toolkit/Control.h"

namespace toolkit {

// What the keyboard does with a button of a form: Enter presses the default
// one, Escape the cancel one.
enum class ButtonRole { Plain, Default, Cancel };

struct ButtonArgs {
  std::string text{};
  Bounds bounds{};
  Anchors anchors = kAnchorsTopLeft;
  FontSpec font{};
  bool flat = false;
  ButtonRole role = ButtonRole::Plain;
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

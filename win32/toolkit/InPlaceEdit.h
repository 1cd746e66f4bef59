#pragma once

#include <functional>
#include <string>

#include "toolkit/Control.h"

namespace toolkit {

struct InPlaceEditArgs {
  FontSpec font{};
  // Enter, with the text typed (UTF-8). The box stays open until Close: a
  // text refused is mended in it. A box shown meanwhile does not close it.
  std::function<void(const std::string&)> onEnter{};
};

// A one-line edit box over a part of the window it is made in, hidden until
// opened there: Esc, or the focus going elsewhere, closes it unapplied. It
// takes every key while open, so that Ctrl+Z undoes typing and no key of
// the window runs a command under it.
class InPlaceEdit final : public Control {
 public:
  InPlaceEdit(Window& over, InPlaceEditArgs args);

  // Shows the box at `place` (client pixels of the window it is over) with
  // `text` (UTF-8) all selected, and gives it the focus.
  void Open(const RECT& place, const std::string& text);
  // Hides it, the focus back to the window it is over.
  void Close();
  bool IsOpen() const { return open_; }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnEnter();

  std::function<void(const std::string&)> onEnter_;
  bool open_ = false;
  bool entering_ = false;  // while onEnter runs, and its boxes take the focus
};

}  // namespace toolkit

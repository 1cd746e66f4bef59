#pragma once

#include <windows.h>

namespace toolkit {

// Keeps a window from taking input while a modal loop that is not the
// toolkit's runs on its thread (a plug-in's dialog, which disables no window
// of its host), as a modal dialog disables its owner. At the end the window
// takes input again and is brought to the front, which it was not while the
// loop's window went away (the system gave the front to another program's
// window then, a console say), with the keyboard focus in `focus`, one of
// its children, when given.
class InputDisabled {
 public:
  explicit InputDisabled(HWND window, HWND focus = nullptr)
      : window_(window), focus_(focus), wasEnabled_(EnableWindow(window, FALSE) == 0) {}
  InputDisabled(const InputDisabled&) = delete;
  InputDisabled& operator=(const InputDisabled&) = delete;
  ~InputDisabled() {
    if (!wasEnabled_ || !IsWindow(window_)) return;
    EnableWindow(window_, TRUE);
    SetForegroundWindow(window_);
    SetActiveWindow(window_);
    if (focus_ != nullptr && IsWindow(focus_)) SetFocus(focus_);
  }

 private:
  HWND window_;  // not owned
  HWND focus_;   // not owned
  bool wasEnabled_;
};

}  // namespace toolkit

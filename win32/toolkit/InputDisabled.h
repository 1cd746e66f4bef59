#pragma once

#include <windows.h>

namespace toolkit {

// Keeps a window from taking input while a modal loop that is not the
// toolkit's runs on its thread (a plug-in's dialog, which disables no window
// of its host), as a modal dialog disables its owner. At the end the window
// takes input again and becomes the active window, which it was not while
// the loop's window went away.
class InputDisabled {
 public:
  explicit InputDisabled(HWND window) : window_(window), wasEnabled_(EnableWindow(window, FALSE) == 0) {}
  InputDisabled(const InputDisabled&) = delete;
  InputDisabled& operator=(const InputDisabled&) = delete;
  ~InputDisabled() {
    if (!wasEnabled_ || !IsWindow(window_)) return;
    EnableWindow(window_, TRUE);
    SetActiveWindow(window_);
  }

 private:
  HWND window_;  // not owned
  bool wasEnabled_;
};

}  // namespace toolkit

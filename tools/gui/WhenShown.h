#pragma once
// Acts on a window of this thread once it shows: for a test that drives its
// own windows, whose modal loops run on the test's thread.

#include <windows.h>

#include <functional>
#include <string>

#include "tools/gui/WindowSearch.h"

// Runs `action` once on the first visible, enabled top-level window of this
// thread that matches. It looks every few milliseconds on a thread timer, so
// it acts from inside whatever message loop is running then: a modal dialog,
// a message box, a file dialog, a menu. (A window that waits for a box it
// owns is disabled: the box is what shows.)
class WhenShown {
 public:
  WhenShown(WindowMatch match, std::function<void(HWND)> action);
  WhenShown(std::string caption, std::function<void(HWND)> action)
      : WhenShown(Captioned(std::move(caption)), std::move(action)) {}
  WhenShown(const WhenShown&) = delete;
  WhenShown& operator=(const WhenShown&) = delete;
  ~WhenShown();

  bool Done() const { return done_; }

 private:
  static void CALLBACK Poll(HWND, UINT, UINT_PTR timer, DWORD);

  WindowMatch match_;
  std::function<void(HWND)> action_;
  UINT_PTR timer_;
  bool done_ = false;
};

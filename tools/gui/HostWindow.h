#pragma once
// The main window of a host scene editor, as the plug-in sees it: a plain
// top-level window of the test's own thread at a given place.

#include <windows.h>

class HostWindow {
 public:
  explicit HostWindow(const RECT& place);
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;
  ~HostWindow();

  HWND Handle() const { return hwnd_; }

 private:
  HWND hwnd_;
};

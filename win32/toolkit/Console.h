#pragma once

#include <windows.h>

#include <string_view>

namespace toolkit {

// The program's console, opened once per process. When standard output was
// already redirected to a file or a pipe, writes keep going there (so the
// output can be captured); otherwise they go to the new console window.
// No text-mode translation of line ends either way.
class Console {
 public:
  static Console& Open();
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  bool IsRedirected() const { return redirected_; }
  // To a file or pipe, the bytes as they are; to the window, UTF-8 text,
  // which it shows whatever the system's code page.
  void Write(std::string_view bytes) const;
  // Moves the console window beside `window`, clear of its menu and
  // controls where the screen has room.
  void PlaceBeside(HWND window) const;

 private:
  Console();

  HANDLE output_;  // not owned: the process's standard output
  bool redirected_;
};

}  // namespace toolkit

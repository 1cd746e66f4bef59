#pragma once

#include <windows.h>

#include <string>

namespace toolkit {

// The application object: its caption titles the program's message boxes,
// and it runs the program's message loop.
class Application {
 public:
  explicit Application(std::string caption) : caption_(std::move(caption)) {}
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  const std::string& Caption() const { return caption_; }
  // Handles messages until WM_QUIT and gives its exit code.
  int Run() const;
  // Ends Run once the messages waiting before have been handled.
  static void Quit() { PostQuitMessage(0); }

 private:
  std::string caption_;
};

}  // namespace toolkit

#pragma once

#include <windows.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/InputDisabled.h"
#include "toolkit/Label.h"
#include "toolkit/ProgressBar.h"

namespace toolkit {

// Shows how far a long command has come, with a Cancel button. It appears
// only once the command has run for a second, owned by the command's window,
// which takes no input meanwhile. The command reports before each step;
// each report now and then lets the windows handle their messages, and says
// whether the user cancelled.
class ProgressWindow {
 public:
  // `counted` names what the steps are: "files" shows "120 of 2000 files".
  ProgressWindow(HWND owner, std::string caption, std::string counted);
  ProgressWindow(const ProgressWindow&) = delete;
  ProgressWindow& operator=(const ProgressWindow&) = delete;
  ~ProgressWindow();

  // False once the user has cancelled.
  bool Report(size_t done, size_t total);

 private:
  void Show();
  void HandleWaitingMessages();

  HWND owner_;  // not owned
  std::string caption_;
  std::string counted_;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point lastShown_{};
  bool cancelled_ = false;
  std::optional<InputDisabled> ownerDisabled_;
  std::unique_ptr<Form> form_;
  std::unique_ptr<Label> count_;
  std::unique_ptr<ProgressBar> bar_;
  std::unique_ptr<Button> cancel_;
};

}  // namespace toolkit

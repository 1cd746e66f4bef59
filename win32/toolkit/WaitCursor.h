#pragma once

#include <windows.h>

namespace toolkit {

// Shows the hourglass while a command that handles no messages may take long
// (loading, saving or exporting thousands of chunks); the cursor shown before
// comes back at the end.
class WaitCursor {
 public:
  WaitCursor() : previous_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
  ~WaitCursor() { SetCursor(previous_); }

 private:
  HCURSOR previous_;
};

}  // namespace toolkit

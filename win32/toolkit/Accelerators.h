#pragma once

#include <windows.h>

#include <vector>

#include "toolkit/Shortcut.h"

namespace toolkit {

// A command identifier that no menu item or key of the process has yet.
// They stay below the system commands.
UINT NewCommand();

// Keys that send a window a command, as a WM_COMMAND from an accelerator,
// whichever of its controls has the focus. The modifiers must match exactly:
// Ctrl+S is not Ctrl+Shift+S.
class Accelerators {
 public:
  Accelerators() = default;
  Accelerators(const Accelerators&) = delete;
  Accelerators& operator=(const Accelerators&) = delete;
  ~Accelerators();

  void Add(const Shortcut& shortcut, UINT command);
  // Sends `window` the command of the key that `msg` presses; true when the
  // key was one of the table's, and the message is then used up.
  bool Translate(HWND window, MSG& msg);

 private:
  std::vector<ACCEL> entries_;
  HACCEL handle_ = nullptr;  // made from the entries when first needed after an Add
};

}  // namespace toolkit

#pragma once

#include <windows.h>

#include <string>

namespace toolkit {

// A modal message box with the buttons and the icon of `style` (MB_ flags;
// no button flag is the one OK button); gives the button chosen (IDOK,
// IDYES, ...). Text and caption are UTF-8. Without an owner the box is
// task-modal: every window of the thread waits for it.
int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT style);

}  // namespace toolkit

#pragma once

#include <windows.h>

#include <string>

#include "toolkit/WideText.h"

namespace toolkit {

// A modal message box with the buttons and the icon of `style` (MB_ flags;
// no button flag is the one OK button); gives the button chosen (IDOK,
// IDYES, ...). Text and caption are bytes of `codePage` and go through the
// wide API, so they read the same whatever the system's code page. Without
// an owner the box is task-modal: every window of the thread waits for it.
int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT style, UINT codePage = CP_ACP);

}  // namespace toolkit

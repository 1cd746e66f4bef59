#pragma once

#include <windows.h>

#include <string>

#include "toolkit/WideText.h"

namespace toolkit {

// A modal message box with one OK button and the icon of `icon` (an MB_ICON
// flag). Text and caption are bytes of `codePage` and go through the wide
// API, so they read the same whatever the system's code page. Without an
// owner the box is task-modal: every window of the thread waits for it.
void ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT icon, UINT codePage = CP_ACP);

}  // namespace toolkit

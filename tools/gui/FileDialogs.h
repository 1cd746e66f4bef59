#pragma once
// The common file dialog, driven through its own controls.

#include <windows.h>

#include <string>

// The field that names the file: a combo box in the explorer style, an edit
// in the old style.
HWND FileNameField(HWND dialog);
// Types a path into the dialog and presses its Open or Save button.
void ChooseFile(HWND dialog, const std::string& path);
void CancelDialog(HWND dialog);

// A path with backslashes, as a user types it into a file dialog.
std::string WindowsPath(std::string path);
// A path given on the command line, full and with backslashes; Wine's
// drive Z: stands for a Unix path's root.
std::string HostPath(const std::string& path);

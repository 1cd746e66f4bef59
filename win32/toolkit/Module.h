#pragma once

#include <windows.h>

#include <string>

namespace toolkit {

// The module that the toolkit is linked into: the program, or the plug-in DLL
// inside a host. Window classes are registered with it, never with the host's
// executable.
HINSTANCE ModuleInstance();

// The folder of the running program's file, with its trailing backslash.
std::string ProgramFolder();

// Loads the common controls (tree view, progress bar) once per process.
void EnsureCommonControls();

// A control identifier that no other control of the process has; kept clear of
// IDOK and IDCANCEL, which IsDialogMessage sends for Enter and Escape.
int NextControlId();

}  // namespace toolkit

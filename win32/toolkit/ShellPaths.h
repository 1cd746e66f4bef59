#pragma once
// The paths that the shell hands a program: on its command line (a
// double-click on an associated file, "Open with", a drop on the program's
// icon) and in a drop on one of its windows. Each as bytes of the ANSI code
// page, as the program's file calls take paths.

#include <windows.h>
// After <windows.h>, which it needs.
#include <shellapi.h>

#include <string>
#include <vector>

namespace toolkit {

// The program's arguments, after its own name, as the system splits its
// command line: a quoted argument keeps its spaces.
std::vector<std::string> CommandLineArguments();
// The paths of a WM_DROPFILES, in the order given; the drop is left to its caller to finish.
std::vector<std::string> DroppedPaths(HDROP drop);

}  // namespace toolkit

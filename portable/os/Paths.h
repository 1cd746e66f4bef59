#pragma once
// Path texts taken apart without asking the system, the same on every
// platform where the rules are the same.

#include <cstddef>
#include <string>

namespace os {

// The folder part of `path`, up to and including its last separator; empty
// for a bare name. Windows also takes "/" and a drive's colon ("C:x").
std::string FolderOf(const std::string& path);

// Whether `c` separates folders in a path of this platform.
bool IsSeparator(char c);

// `folder` ending with a separator: this platform's own is added when it
// ends without one.
std::string WithSeparator(const std::string& folder);

// How many leading characters of a path of this platform name its root,
// which a program can't create: "/" on POSIX, WindowsRootLength on Windows.
size_t RootLength(const std::string& path);

// How many leading characters of a Windows path name its root, which a
// program can't create: "C:\" (3), "\\server\share\" and the "\\?\" forms
// of both, a lone "\" (1); 0 for a relative path.
size_t WindowsRootLength(const std::string& path);

// A fresh, short name for a temporary file or folder: ".~" and eight random
// letters and digits, then ".tmp".
std::string TemporaryName();

}  // namespace os

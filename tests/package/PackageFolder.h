#pragma once
// The unpacked release that the package tests look at: its folder is the
// program's one argument.

#include <string>

// The path of `name` (backslashes) inside the unpacked release's folder.
std::string PackagePath(const std::string& name);

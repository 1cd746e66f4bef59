#pragma once
// Following links on Windows, where the file functions follow them by
// themselves but never say where they end, and a link whose target is
// missing is not followed at all.

#include <windows.h>

#include <string>

namespace os {

// The path of the file that an open handle reaches, with every link on the
// way followed, in the form the file functions take; empty when the
// system can't tell.
std::string FinalPathOf(HANDLE handle);

// `path` made absolute against the current folder, nothing followed.
std::string FullPathOf(const std::string& path);

// Where the symbolic link `path` points, made absolute against the link's
// folder; empty when `path` is no symbolic link.
std::string SymbolicLinkTarget(const std::string& path);

}  // namespace os

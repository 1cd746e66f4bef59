#pragma once
// Paths are byte strings as the user gave them (the ANSI code page on Windows);
// std::filesystem would reinterpret them, so these go to the system directly.

#include <string>

namespace os {

// Puts `source` in the place of `target` in one step, replacing a file that is
// there. Both must lie on one volume. False with `error` set when it failed;
// `target` is then as it was.
bool MoveReplacing(const std::string& source, const std::string& target, std::string& error);

// Creates `folder` and every missing folder above it. True when it exists
// afterwards; otherwise false with `error` set.
bool CreateFolders(const std::string& folder, std::string& error);

// True when `path` names an existing folder.
bool IsFolder(const std::string& path);

}  // namespace os

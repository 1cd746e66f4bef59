#pragma once
// Where editors keep their recovery files: one folder per running editor,
// named for its process, so that two editors at once never share a file and
// a folder whose process has ended is known to be left behind.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "os/Result.h"

// A process, told apart from a later one that gets its number again by when
// it started (in the system's own units).
struct ProcessStamp {
  uint32_t id = 0;
  uint64_t started = 0;
  bool operator==(const ProcessStamp&) const = default;
};

// The folder of a process's recovery file, in `root` (ending with a
// separator), and the file in it.
std::string RecoveryFolderOf(const std::string& root, const ProcessStamp& process);
std::string RecoveryFileIn(const std::string& folder);

// The process a folder name of RecoveryFolderOf stands for; none for any
// other name.
std::optional<ProcessStamp> ProcessOfFolder(const std::string& name);

// The recovery files in `root` whose editors no longer run (`running` says
// which do), the newest editor's first. Folders left without a file in them
// (an editor that ended before writing one) are removed on the way.
std::vector<std::string> LeftRecoveryFiles(const std::string& root,
                                           const std::function<bool(const ProcessStamp&)>& running);

// Removes a recovery file, what else its folder holds (a write's temporary
// file cut short) and the folder.
os::Status RemoveRecoveryFolder(const std::string& folder);

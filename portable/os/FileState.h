#pragma once
// What an open file looks like to the system (its device, inode, size and
// change times, to the nanosecond): a write, a truncation or a change of its
// times between two looks shows as a difference. How a read of a whole file
// tells that the file changed while it was being read. Only where the system
// gives these times (Linux, Windows); elsewhere there is no state to compare.

#include <cstdio>
#include <optional>

namespace os {

struct FileState {
  unsigned long long device = 0, inode = 0, size = 0;
  long long modified = 0, modifiedNanoseconds = 0, changed = 0, changedNanoseconds = 0;
  bool operator==(const FileState&) const = default;
};

// The state of a regular file opened for reading, now; none when it can't be had.
std::optional<FileState> StateOf(std::FILE* file);

}  // namespace os

#pragma once
// Paths are byte strings as the user gave them (the ANSI code page on Windows);
// std::filesystem would reinterpret them, so these go to the system directly.
// Failures give the system's reason in `error`, worded to follow "PATH: ".

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

namespace os {

class FileImage;

struct OpenedFile {
  std::FILE* file = nullptr;  // owned by the caller; null when not opened
  std::string error;
  bool notAFile = false;  // it exists but is a folder, a device, a pipe or a socket
};

// Opens a regular file for reading, shared with other readers and writers.
// Anything else is refused without waiting: opening a pipe never blocks.
OpenedFile OpenForReading(const std::string& path);

// Finds the file that a save to `path` replaces: a symbolic link is saved
// through, so `target` is the file it points to. False, with the reason, when
// that is not a regular file or is one the user could not write in place; a
// name that does not exist yet may be written.
bool FindReplaceable(const std::string& path, std::string& target, std::string& error);

struct TemporaryFile {
  std::FILE* file = nullptr;  // owned by the caller, open for writing
  std::string path;
};

// Creates a new file under a fresh short name in `folder` (empty, or ending
// with a separator), exclusively and never through a link. When
// `keepModeOf` names an existing file, the new one gets its permissions, so
// that it can take that file's place.
bool CreateTemporaryFile(const std::string& folder, const std::string& keepModeOf, TemporaryFile& created,
                         std::string& error);

// Puts `source` in the place of `target` in one step, replacing a file that is
// there. Both must lie on one volume. `target` is as it was when it fails.
// Windows: a target briefly held by another program (a virus scanner, the
// search indexer) is tried again for about a second.
bool MoveReplacing(const std::string& source, const std::string& target, std::string& error);

// Bytes to write that lie elsewhere, one piece of a gather write.
struct ByteRun {
  const uint8_t* data;
  size_t size;
  // The image of a file that holds the bytes, or null.
  const FileImage* image = nullptr;
};

// Writes the runs one after another to `file`, behind what its own buffer
// holds, in few system calls: writev on POSIX, where a long run that a mapped
// file holds is copied from that file by the system, as cp does; on Windows
// each large run in one WriteFile straight from where it lies, the small ones
// through the buffer. False, with the system's reason, when not all was
// written.
bool WriteRuns(std::FILE* file, std::span<const ByteRun> runs, std::string& error);

// Creates `folder` and every missing folder above it. True when it exists
// afterwards. Windows: a drive or a network share is never created.
bool CreateFolders(const std::string& folder, std::string& error);

// Creates a new, empty folder under a fresh short name in `parent` (ending
// with a separator); `created` ends with a separator.
bool CreateTemporaryFolder(const std::string& parent, std::string& created, std::string& error);

// The names of everything in `folder` (ending with a separator), "." and
// ".." left out; false when it can't be read.
bool ListFolder(const std::string& folder, std::vector<std::string>& names);

// Removes an empty folder; false when it can't.
bool RemoveFolder(const std::string& folder);

// True when `path` names an existing folder.
bool IsFolder(const std::string& path);

}  // namespace os

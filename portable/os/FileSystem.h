#pragma once
// Paths are UTF-8 on every platform (Linux takes the bytes as they are,
// Windows the UTF-16 they stand for); std::filesystem would reinterpret them,
// so these go to the system directly.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "os/InterruptCleanup.h"
#include "os/Result.h"

namespace os {

// Opens a regular file for reading, shared with other readers and writers;
// the caller owns the file. Anything else is refused without waiting
// (Failure::notAFile): opening a pipe never blocks.
Result<std::FILE*> OpenForReading(const std::string& path);

// Creates or empties a file for writing, as fopen's "wb"; the caller owns it.
Result<std::FILE*> OpenForWriting(const std::string& path);

// Seeks in, and tells the position of, a file with 64-bit offsets on every
// platform: a scene's own sizes stay below 2 GiB, but the file holding it
// need not. `origin` as fseek's.
Status SeekFile(std::FILE* file, int64_t offset, int origin);
Result<int64_t> TellFile(std::FILE* file);

// The length of an open file, as the system has it now.
Result<uint64_t> FileLength(std::FILE* file);

// Reads up to `count` bytes at `offset` of a file opened for reading, leaving
// its position alone; how many came, 0 at its end. Fails with the system's
// reason.
Result<size_t> ReadAt(std::FILE* file, uint64_t offset, uint8_t* into, size_t count);

// The file that a save to `path` replaces: a symbolic link is saved through,
// to the file it points to. Refused when that is not a regular file or is one
// the user could not write in place; a name that does not exist yet may be
// written.
Result<std::string> FindReplaceable(const std::string& path);

struct TemporaryFile {
  std::FILE* file = nullptr;  // owned by the caller, open for writing
  std::string path;
  // Removes the file if the user ends the program while it is held: until
  // the file is gone or has taken another's place.
  std::unique_ptr<TemporaryGuard> guard;
};

// Creates a new file under a fresh short name in `folder` (empty, or ending
// with a separator), exclusively and never through a link. When
// `keepModeOf` names an existing file, the new one gets its permissions, so
// that it can take that file's place.
Result<TemporaryFile> CreateTemporaryFile(const std::string& folder, const std::string& keepModeOf);

// Puts `source` in the place of `target` in one step, replacing a file that is
// there. Both must lie on one volume. `target` is as it was when it fails.
// Windows: a target briefly held by another program (a virus scanner, the
// search indexer) is tried again for about a second.
Status MoveReplacing(const std::string& source, const std::string& target);

// Bytes to write that lie elsewhere, one piece of a gather write.
struct ByteRun {
  const uint8_t* data;
  size_t size;
};

// Writes the runs one after another to `file`, behind what its own buffer
// holds, in few system calls, straight from where they lie: writev on
// POSIX; on Windows each large run in one WriteFile, the small ones through
// the buffer. What is written is always the bytes the program holds, never
// a copy from the file they were read from, which may have changed since.
// Fails, with the system's reason, when not all was written.
Status WriteRuns(std::FILE* file, std::span<const ByteRun> runs);

// Creates `folder` and every missing folder above it; fine when it exists
// afterwards. Windows: a drive or a network share is never created.
Status CreateFolders(const std::string& folder);

struct TemporaryFolder {
  std::string path;                       // ending with a separator
  std::unique_ptr<TemporaryGuard> guard;  // as a TemporaryFile's, until the folder is gone
};

// Creates a new, empty folder under a fresh short name in `parent` (ending
// with a separator).
Result<TemporaryFolder> CreateTemporaryFolder(const std::string& parent);

// The names of everything in `folder` (ending with a separator), "." and
// ".." left out.
Result<std::vector<std::string>> ListFolder(const std::string& folder);

// Removes an empty folder.
Status RemoveFolder(const std::string& folder);

// Removes a file.
Status RemoveFile(const std::string& path);

// True when `path` names an existing folder.
bool IsFolder(const std::string& path);

}  // namespace os

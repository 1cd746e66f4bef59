#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <vector>

#include "os/FileSystem.h"
#include "os/MakeFolder.h"
#include "os/Paths.h"

namespace os {
namespace {

constexpr int kAttempts = 100;  // fresh names to try before giving up
constexpr int kMaxLinks = 40;   // the system's own limit on links in a row

Failure SystemFailure() { return {std::strerror(errno)}; }

Failure NotAFile(mode_t mode) {
  return {S_ISDIR(mode) ? "a folder, not a file" : "not a regular file (a device, pipe or socket)", true};
}

// The text of a symbolic link.
Result<std::string> ReadLink(const std::string& link) {
  std::vector<char> buffer(PATH_MAX);
  const ssize_t length = readlink(link.c_str(), buffer.data(), buffer.size());
  if (length < 0) return SystemFailure();
  if (static_cast<size_t>(length) == buffer.size()) return Failure{std::strerror(ENAMETOOLONG)};
  return std::string(buffer.data(), static_cast<size_t>(length));
}

// The model's owner and group where the system allows it (root, or a group
// the user is in); its permission bits always.
void TakeOwnerAndMode(int descriptor, const struct stat& model) {
  if (fchown(descriptor, model.st_uid, model.st_gid) != 0 &&
      fchown(descriptor, static_cast<uid_t>(-1), model.st_gid) != 0) {
    // Not allowed: the saving user owns the new file, as after any copy.
  }
  fchmod(descriptor, model.st_mode & 07777);
}

}  // namespace

Result<std::FILE*> OpenForWriting(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return SystemFailure();
  return file;
}

Result<std::FILE*> OpenForReading(const std::string& path) {
  const int descriptor = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (descriptor < 0) {
    // A device node whose device is missing fails to open; it is refused as what it is.
    struct stat info {};
    const Failure failed = SystemFailure();
    if (stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) return NotAFile(info.st_mode);
    return failed;
  }
  struct stat info {};
  if (fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
    const Failure refused = S_ISREG(info.st_mode) ? SystemFailure() : NotAFile(info.st_mode);
    close(descriptor);
    return refused;
  }
  fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
  std::FILE* file = fdopen(descriptor, "rb");
  if (file == nullptr) {
    const Failure failed = SystemFailure();
    close(descriptor);
    return failed;
  }
  return file;
}

namespace {

// Writes the pieces whole, going on after a write that took only some.
Status WritePieces(int descriptor, iovec* pieces, int count) {
  while (count > 0) {
    const ssize_t written = writev(descriptor, pieces, count);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return written < 0 ? SystemFailure() : Failure{std::strerror(EIO)};
    auto done = static_cast<size_t>(written);
    for (; count > 0 && done >= pieces->iov_len; ++pieces, --count) done -= pieces->iov_len;
    if (count > 0) {
      pieces->iov_base = static_cast<uint8_t*>(pieces->iov_base) + done;
      pieces->iov_len -= done;
    }
  }
  return Done{};
}

}  // namespace

Status WriteRuns(std::FILE* file, std::span<const ByteRun> runs) {
  if (std::fflush(file) != 0) return SystemFailure();
  iovec pieces[IOV_MAX];
  int count = 0;
  for (const ByteRun& run : runs) {
    if (run.size == 0) continue;
    if (count == IOV_MAX) {
      if (Status written = WritePieces(fileno(file), pieces, count); !written.ok()) return written;
      count = 0;
    }
    pieces[count++] = {const_cast<uint8_t*>(run.data), run.size};
  }
  return WritePieces(fileno(file), pieces, count);
}

Status SeekFile(std::FILE* file, int64_t offset, int origin) {
  if (fseeko(file, offset, origin) != 0) return SystemFailure();
  return Done{};
}

Result<int64_t> TellFile(std::FILE* file) {
  const int64_t position = ftello(file);
  if (position < 0) return SystemFailure();
  return position;
}

Result<uint64_t> FileLength(std::FILE* file) {
  struct stat info {};
  if (fstat(fileno(file), &info) != 0) return SystemFailure();
  return static_cast<uint64_t>(info.st_size);
}

Result<size_t> ReadAt(std::FILE* file, uint64_t offset, uint8_t* into, size_t count) {
  for (;;) {
    const ssize_t got = pread(fileno(file), into, count, static_cast<off_t>(offset));
    if (got >= 0) return static_cast<size_t>(got);
    if (errno != EINTR) return SystemFailure();
  }
}

Result<std::string> FindReplaceable(const std::string& path) {
  std::string target = path;
  for (int links = 0;; ++links) {
    struct stat info {};
    if (lstat(target.c_str(), &info) != 0) {
      // A new name: whether its folder takes a file shows when the file is made.
      if (errno == ENOENT) return target;
      return SystemFailure();
    }
    if (!S_ISLNK(info.st_mode)) {
      if (!S_ISREG(info.st_mode)) return NotAFile(info.st_mode);
      if (access(target.c_str(), W_OK) != 0) return SystemFailure();
      return target;
    }
    if (links == kMaxLinks) return Failure{std::strerror(ELOOP)};
    Result<std::string> link = ReadLink(target);
    if (!link.ok()) return link.failure();
    target = link.value().starts_with('/') ? link.value() : FolderOf(target) + link.value();
  }
}

Result<TemporaryFile> CreateTemporaryFile(const std::string& folder, const std::string& keepModeOf) {
  struct stat model {};
  const bool hasModel = !keepModeOf.empty() && stat(keepModeOf.c_str(), &model) == 0;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const std::string path = folder + TemporaryName();
    std::unique_ptr<TemporaryGuard> guard = TemporaryGuard::ForFile(path);
    // Private until it has the model's permissions; a new file gets the umask's.
    const int descriptor =
        open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, hasModel ? 0600 : 0666);
    if (descriptor < 0 && errno == EEXIST) continue;
    if (descriptor < 0) return SystemFailure();
    if (hasModel) TakeOwnerAndMode(descriptor, model);
    std::FILE* file = fdopen(descriptor, "wb");
    if (file == nullptr) {
      const Failure failed = SystemFailure();
      close(descriptor);
      unlink(path.c_str());
      return failed;
    }
    return TemporaryFile{file, path, std::move(guard)};
  }
  return Failure{std::strerror(EEXIST)};
}

Status MoveReplacing(const std::string& source, const std::string& target) {
  if (std::rename(source.c_str(), target.c_str()) != 0) return SystemFailure();
  return Done{};
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

Status MakeFolder(const std::string& folder) {
  if (mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) return SystemFailure();
  return Done{};
}

Result<TemporaryFolder> CreateTemporaryFolder(const std::string& parent) {
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const std::string path = parent + TemporaryName();
    std::unique_ptr<TemporaryGuard> guard = TemporaryGuard::ForFolder(path);
    if (mkdir(path.c_str(), 0700) == 0) return TemporaryFolder{path + '/', std::move(guard)};
    if (errno != EEXIST) break;
  }
  return SystemFailure();
}

Result<std::vector<std::string>> ListFolder(const std::string& folder) {
  DIR* listing = opendir(folder.empty() ? "." : folder.c_str());
  if (listing == nullptr) return SystemFailure();
  std::vector<std::string> names;
  while (const dirent* entry = readdir(listing)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  closedir(listing);
  return names;
}

Status RemoveFolder(const std::string& folder) {
  if (rmdir(folder.c_str()) != 0) return SystemFailure();
  return Done{};
}

Status RemoveFile(const std::string& path) {
  if (unlink(path.c_str()) != 0) return SystemFailure();
  return Done{};
}

}  // namespace os

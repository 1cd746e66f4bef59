#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <vector>

#include "os/FileImage.h"
#include "os/FileSystem.h"
#include "os/Paths.h"

namespace os {
namespace {

constexpr int kAttempts = 100;  // fresh names to try before giving up
constexpr int kMaxLinks = 40;   // the system's own limit on links in a row
// Runs from this length on are copied from file to file.
constexpr size_t kCopiedRun = 64 << 10;

std::string SystemError() { return std::strerror(errno); }

std::string NotAFile(mode_t mode) {
  return S_ISDIR(mode) ? "a folder, not a file" : "not a regular file (a device, pipe or socket)";
}

// The text of a symbolic link; false with errno set when it can't be read.
bool ReadLink(const std::string& link, std::string& text) {
  std::vector<char> buffer(PATH_MAX);
  const ssize_t length = readlink(link.c_str(), buffer.data(), buffer.size());
  if (length < 0) return false;
  if (static_cast<size_t>(length) == buffer.size()) {
    errno = ENAMETOOLONG;
    return false;
  }
  text.assign(buffer.data(), static_cast<size_t>(length));
  return true;
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

OpenedFile OpenForReading(const std::string& path) {
  const int descriptor = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (descriptor < 0) return {nullptr, SystemError(), false};
  struct stat info {};
  if (fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
    OpenedFile refused{nullptr, S_ISREG(info.st_mode) ? SystemError() : NotAFile(info.st_mode), true};
    close(descriptor);
    return refused;
  }
  fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
  std::FILE* file = fdopen(descriptor, "rb");
  if (file == nullptr) {
    OpenedFile failed{nullptr, SystemError(), false};
    close(descriptor);
    return failed;
  }
  return {file, "", false};
}

bool LoadFile(std::FILE* file, FileImage& image, std::string& error) {
  image = FileImage();
  struct stat info {};
  bool loaded = false;
  if (fstat(fileno(file), &info) != 0) {
    error = SystemError();
  } else if (info.st_size == 0) {
    loaded = true;
  } else if (static_cast<uint64_t>(info.st_size) > SIZE_MAX) {
    error = "the file is too large to hold in memory";
  } else {
    const auto size = static_cast<size_t>(info.st_size);
    void* mapped = mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fileno(file), 0);
    if (mapped != MAP_FAILED) {
      image.data_ = static_cast<const uint8_t*>(mapped);
      image.size_ = size;
      image.source_ = fcntl(fileno(file), F_DUPFD_CLOEXEC, 0);
      image.release_ = [](FileImage& mapping) {
        munmap(const_cast<uint8_t*>(mapping.data_), mapping.size_);
        if (mapping.source_ >= 0) close(mapping.source_);
      };
      loaded = true;
    } else {
      // A file system that maps no files still reads them.
      loaded = image.Read(file, size, error);
    }
  }
  std::fclose(file);
  return loaded;
}

namespace {

// Writes the pieces whole, going on after a write that took only some.
bool WritePieces(int descriptor, iovec* pieces, int count, std::string& error) {
  while (count > 0) {
    const ssize_t written = writev(descriptor, pieces, count);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      error = written < 0 ? SystemError() : std::strerror(EIO);
      return false;
    }
    auto done = static_cast<size_t>(written);
    for (; count > 0 && done >= pieces->iov_len; ++pieces, --count) done -= pieces->iov_len;
    if (count > 0) {
      pieces->iov_base = static_cast<uint8_t*>(pieces->iov_base) + done;
      pieces->iov_len -= done;
    }
  }
  return true;
}

// Copies `size` bytes from `source` at `offset`, the file that an image maps;
// `copied` says how much went before the system declined (file systems that
// can't, or two of them), the rest being left to a write from memory. False
// when the source has been cut short since: its bytes are no longer there.
bool CopyFromFile(int source, off_t offset, int descriptor, size_t size, size_t& copied, std::string& error) {
  for (copied = 0; copied < size;) {
    const ssize_t done = copy_file_range(source, &offset, descriptor, nullptr, size - copied, 0);
    if (done < 0 && errno == EINTR) continue;
    if (done < 0) return true;
    if (done == 0) {
      error = "the file that the scene was loaded from has been cut short";
      return false;
    }
    copied += static_cast<size_t>(done);
  }
  return true;
}

}  // namespace

bool WriteRuns(std::FILE* file, std::span<const ByteRun> runs, std::string& error) {
  if (std::fflush(file) != 0) {
    error = SystemError();
    return false;
  }
  const int descriptor = fileno(file);
  iovec pieces[IOV_MAX];
  int count = 0;
  for (const ByteRun& run : runs) {
    if (run.size == 0) continue;
    size_t copied = 0;
    if (run.size >= kCopiedRun && run.image != nullptr && run.image->source_ >= 0) {
      const auto offset = static_cast<off_t>(run.data - run.image->data_);
      if (!WritePieces(descriptor, pieces, count, error) ||
          !CopyFromFile(run.image->source_, offset, descriptor, run.size, copied, error))
        return false;
      count = 0;
    }
    if (copied == run.size) continue;
    if (count == IOV_MAX) {
      if (!WritePieces(descriptor, pieces, count, error)) return false;
      count = 0;
    }
    pieces[count++] = {const_cast<uint8_t*>(run.data + copied), run.size - copied};
  }
  return WritePieces(descriptor, pieces, count, error);
}

bool FindReplaceable(const std::string& path, std::string& target, std::string& error) {
  target = path;
  for (int links = 0;; ++links) {
    struct stat info {};
    if (lstat(target.c_str(), &info) != 0) {
      // A new name: whether its folder takes a file shows when the file is made.
      if (errno == ENOENT) return true;
      error = SystemError();
      return false;
    }
    if (!S_ISLNK(info.st_mode)) {
      if (!S_ISREG(info.st_mode)) {
        error = NotAFile(info.st_mode);
        return false;
      }
      if (access(target.c_str(), W_OK) != 0) {
        error = SystemError();
        return false;
      }
      return true;
    }
    std::string link;
    if (links == kMaxLinks) {
      error = std::strerror(ELOOP);
      return false;
    }
    if (!ReadLink(target, link)) {
      error = SystemError();
      return false;
    }
    target = link.starts_with('/') ? link : FolderOf(target) + link;
  }
}

bool CreateTemporaryFile(const std::string& folder, const std::string& keepModeOf, TemporaryFile& created,
                         std::string& error) {
  struct stat model {};
  const bool hasModel = !keepModeOf.empty() && stat(keepModeOf.c_str(), &model) == 0;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const std::string path = folder + TemporaryName();
    // Private until it has the model's permissions; a new file gets the umask's.
    const int descriptor =
        open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, hasModel ? 0600 : 0666);
    if (descriptor < 0 && errno == EEXIST) continue;
    if (descriptor < 0) {
      error = SystemError();
      return false;
    }
    if (hasModel) TakeOwnerAndMode(descriptor, model);
    std::FILE* file = fdopen(descriptor, "wb");
    if (file == nullptr) {
      error = SystemError();
      close(descriptor);
      unlink(path.c_str());
      return false;
    }
    created = {file, path};
    return true;
  }
  error = std::strerror(EEXIST);
  return false;
}

bool MoveReplacing(const std::string& source, const std::string& target, std::string& error) {
  if (std::rename(source.c_str(), target.c_str()) == 0) return true;
  error = SystemError();
  return false;
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool CreateFolders(const std::string& folder, std::string& error) {
  // Walk down from the root so that each missing level is made in turn.
  for (size_t end = 1; end <= folder.size(); ++end) {
    if (end < folder.size() && folder[end] != '/') continue;
    const std::string level = folder.substr(0, end);
    if (IsFolder(level)) continue;
    if (mkdir(level.c_str(), 0777) != 0 && errno != EEXIST) {
      error = level + ": " + SystemError();
      return false;
    }
  }
  if (IsFolder(folder)) return true;
  error = folder + ": not a folder";
  return false;
}

bool CreateTemporaryFolder(const std::string& parent, std::string& created, std::string& error) {
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const std::string path = parent + TemporaryName();
    if (mkdir(path.c_str(), 0700) == 0) {
      created = path + '/';
      return true;
    }
    if (errno != EEXIST) break;
  }
  error = SystemError();
  return false;
}

bool ListFolder(const std::string& folder, std::vector<std::string>& names) {
  DIR* listing = opendir(folder.empty() ? "." : folder.c_str());
  if (listing == nullptr) return false;
  while (const dirent* entry = readdir(listing)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  closedir(listing);
  return true;
}

bool RemoveFolder(const std::string& folder) { return rmdir(folder.c_str()) == 0; }

}  // namespace os

#include "tools/bench/PlainRead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "os/FileImage.h"
#include "os/FileSystem.h"
#include "os/LargeMemory.h"
#include "os/Paths.h"

namespace {

using FileCloser = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

bool Read(const std::string& path, os::FileImage& image, std::string& reason) {
  os::Result<std::FILE*> opened = os::OpenForReading(path);
  if (!opened.ok()) {
    reason = opened.reason();
    return false;
  }
  const FileCloser file(opened.value(), std::fclose);
  os::Result<uint64_t> length = os::FileLength(file.get());
  if (!length.ok()) {
    reason = length.reason();
    return false;
  }
  if (os::Status read = os::LoadFile(file.get(), length.value(), image); !read.ok()) {
    reason = read.reason();
    return false;
  }
  return true;
}

}  // namespace

bool PlainReadWholeFile(const std::string& path, std::string& reason) {
  const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat state {};
  if (file < 0 || fstat(file, &state) != 0) {
    reason = std::strerror(errno);
    if (file >= 0) close(file);
    return false;
  }
  const auto size = static_cast<size_t>(state.st_size);
  auto* const buffer = static_cast<uint8_t*>(os::AllocateLarge(size));
  size_t filled = 0;
  ssize_t got = 1;
  while (buffer != nullptr && filled < size && (got = read(file, buffer + filled, size - filled)) > 0)
    filled += static_cast<size_t>(got);
  const int error = errno;
  os::FreeLarge(buffer, size);
  close(file);
  if (filled == size) return true;
  reason = buffer == nullptr ? "not enough memory" : got < 0 ? std::strerror(error) : "the file ended early";
  return false;
}

bool ReadWholeFile(const std::string& path, std::string& reason) {
  os::FileImage image;
  return Read(path, image, reason);
}

bool CopyThroughMemory(const std::string& path, const std::string& copy, std::string& reason) {
  os::FileImage image;
  if (!Read(path, image, reason)) return false;
  os::Result<os::TemporaryFile> temporary = os::CreateTemporaryFile(os::FolderOf(copy), "");
  if (!temporary.ok()) {
    reason = temporary.reason();
    return false;
  }
  const os::ByteRun whole{image.Data(), image.Filled()};
  os::Status done = os::WriteRuns(temporary.value().file, {&whole, 1});
  if (std::fclose(temporary.value().file) != 0 && done.ok()) done = os::Failure{std::strerror(errno)};
  if (done.ok()) done = os::MoveReplacing(temporary.value().path, copy);
  if (done.ok()) return true;
  static_cast<void>(os::RemoveFile(temporary.value().path));
  reason = done.reason();
  return false;
}

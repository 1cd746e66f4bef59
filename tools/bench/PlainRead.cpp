#include "tools/bench/PlainRead.h"

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

// The file opened for reading, and its length; null, with the reason, when
// it can't be.
FileCloser OpenWithLength(const std::string& path, uint64_t& length, std::string& reason) {
  os::Result<std::FILE*> opened = os::OpenForReading(path);
  if (!opened.ok()) {
    reason = opened.reason();
    return {nullptr, std::fclose};
  }
  FileCloser file(opened.value(), std::fclose);
  os::Result<uint64_t> measured = os::FileLength(file.get());
  if (!measured.ok()) {
    reason = measured.reason();
    return {nullptr, std::fclose};
  }
  length = measured.value();
  return file;
}

bool Read(const std::string& path, os::FileImage& image, std::string& reason) {
  uint64_t length = 0;
  const FileCloser file = OpenWithLength(path, length, reason);
  if (!file) return false;
  if (os::Status read = os::LoadFile(file.get(), length, image); !read.ok()) {
    reason = read.reason();
    return false;
  }
  return true;
}

}  // namespace

bool PlainReadWholeFile(const std::string& path, std::string& reason) {
  uint64_t length = 0;
  const FileCloser file = OpenWithLength(path, length, reason);
  if (!file) return false;
  const auto size = static_cast<size_t>(length);
  auto* const buffer = static_cast<uint8_t*>(os::AllocateLarge(size));
  if (buffer == nullptr) {
    reason = "not enough memory";
    return false;
  }
  // One request for it all: the C library hands so large a read straight to
  // the system.
  const size_t filled = std::fread(buffer, 1, size, file.get());
  const int error = errno;
  os::FreeLarge(buffer, size);
  if (filled == size) return true;
  reason = std::ferror(file.get()) != 0 ? std::strerror(error) : "the file ended early";
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

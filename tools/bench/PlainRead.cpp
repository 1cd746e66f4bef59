#include "tools/bench/PlainRead.h"

#include <cstdio>
#include <memory>

#include "os/FileImage.h"
#include "os/FileSystem.h"

bool ReadWholeFile(const std::string& path, std::string& reason) {
  os::Result<std::FILE*> opened = os::OpenForReading(path);
  if (!opened.ok()) {
    reason = opened.reason();
    return false;
  }
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(opened.value(), std::fclose);
  os::Result<uint64_t> length = os::FileLength(file.get());
  if (!length.ok()) {
    reason = length.reason();
    return false;
  }
  os::FileImage image;
  if (os::Status read = os::LoadFile(file.get(), length.value(), image); !read.ok()) {
    reason = read.reason();
    return false;
  }
  return true;
}

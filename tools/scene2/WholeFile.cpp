#include "tools/scene2/WholeFile.h"

#include <memory>

#include "os/FileSystem.h"

os::Result<SceneFileBytes> ReadWholeFile(const std::string& path) {
  os::Result<std::FILE*> opened = os::OpenForReading(path);
  if (!opened.ok()) return opened.failure();
  return ReadSceneFile(opened.value());
}

os::Result<os::FileImage> ReadAnyFile(const std::string& path) {
  os::Result<std::FILE*> opened = os::OpenForReading(path);
  if (!opened.ok()) return opened.failure();
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(opened.value(), std::fclose);
  const os::Result<uint64_t> length = os::FileLength(file.get());
  if (!length.ok()) return length.failure();
  os::FileImage image;
  if (const os::Status read = os::LoadFile(file.get(), length.value(), image); !read.ok()) return read.failure();
  return image;
}

#include "tools/scene2/WholeFile.h"

#include "os/FileSystem.h"

os::Result<os::FileImage> ReadWholeFile(const std::string& path) {
  os::Result<std::FILE*> opened = os::OpenForReading(path);
  if (!opened.ok()) return opened.failure();
  os::FileImage image;
  if (const os::Status loaded = os::LoadFile(opened.value(), image); !loaded.ok()) return loaded.failure();
  return image;
}

#include "tools/scene2/WholeFile.h"

#include "os/FileSystem.h"

os::Result<SceneFileBytes> ReadWholeFile(const std::string& path) {
  os::Result<std::FILE*> opened = os::OpenForReading(path);
  if (!opened.ok()) return opened.failure();
  return ReadSceneFile(opened.value());
}

#include "scene/SceneFileBytes.h"

#include <algorithm>
#include <memory>
#include <span>

#include "scene/RootHeader.h"

os::Result<SceneFileBytes> BeginSceneFile(std::FILE* file) {
  os::Result<uint64_t> length = os::FileLength(file);
  if (!length.ok()) return length.failure();
  SceneFileBytes bytes;
  bytes.length = length.value();
  const uint64_t head = std::min<uint64_t>(bytes.length, kRootHeaderSize);
  if (os::Status read = os::LoadFile(file, head, bytes.image); !read.ok()) return read.failure();
  const RootHeader header = ReadRootHeader(std::span(bytes.image.Data(), bytes.image.Size()));
  if (RootHeaderFault(header, bytes.length)) return bytes;
  if (os::Status begun = bytes.image.Begin(file, bytes.length); !begun.ok()) return begun.failure();
  return bytes;
}

os::Result<SceneFileBytes> ReadSceneFile(std::FILE* file) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> closed(file, std::fclose);
  os::Result<SceneFileBytes> bytes = BeginSceneFile(file);
  if (!bytes.ok()) return bytes;
  if (os::Status read = bytes.value().image.Finish(file); !read.ok()) return read.failure();
  return bytes;
}

#include "scene/SceneFileBytes.h"

#include <algorithm>
#include <memory>
#include <span>

#include "scene/ByteView.h"
#include "scene/RootHeader.h"
#include "scene/SceneWalk.h"

os::Result<SceneFileBytes> BeginSceneFile(std::FILE* file) {
  os::Result<uint64_t> length = os::FileLength(file);
  if (!length.ok()) return length.failure();
  SceneFileBytes bytes;
  bytes.length = length.value();
  const uint64_t head = std::min<uint64_t>(bytes.length, kRootHeaderSize);
  if (os::Status read = os::LoadFile(file, head, bytes.image); !read.ok()) return read.failure();
  const RootHeader header = ReadRootHeader(std::span(bytes.image.Data(), bytes.image.Size()));
  if (RootHeaderFault(header, bytes.length)) return bytes;
  // A load reads sections that begin before the root's end, each header
  // whole. A file that runs on past that is read that far first: when the
  // walk of its layout needs no more, the rest is told from the file's
  // length alone, however long the file is.
  const uint64_t reach = static_cast<uint64_t>(header.rootSize) + kChunkHeaderSize;
  if (bytes.length > reach) {
    if (os::Status read = os::LoadFile(file, reach, bytes.image); !read.ok()) return read.failure();
    SceneWalkSink nothing;
    if (WalkScene(ByteView(bytes.image.Data(), bytes.image.Size()), bytes.length, nothing, WalkUntil::End))
      return bytes;
  }
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

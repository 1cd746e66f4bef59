#pragma once
// Filler that makes a generated scene as large as asked: written in blocks to
// a writer that moves them to its file, so that even a chunk of hundreds of
// megabytes never sits in memory whole.

#include <cstdint>
#include <string>

#include "scene/ChunkWriter.h"
#include "tools/scenegen/Random.h"

enum class PaddingStyle {
  Binary,  // random bytes, like mesh or light-map data
  Script,  // lines of init-script text
};

class Padding {
 public:
  // Writes exactly `count` bytes of filler to `out`.
  void Write(ChunkWriter& out, TRandom& random, uint64_t count, PaddingStyle style);

 private:
  std::string block_;
};

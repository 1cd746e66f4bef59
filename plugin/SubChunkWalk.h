#pragma once
// Steps through the direct sub-chunks of a chunk, each framed by a 16-bit type
// and a 32-bit size that counts its own six header bytes.

#include <cstdint>
#include <optional>

#include "plugin/ByteView.h"

struct SubChunk {
  uint16_t Type = 0;
  ByteView Payload;
};

// Walks `body`, the bytes that follow a chunk's own header. The walk ends at a
// header that is not all there, at a size below the header (it could never
// step forward) and at a sub-chunk that runs past the end of `body`: its value
// would be incomplete, so it is not given out.
class SubChunkWalk {
 public:
  explicit SubChunkWalk(ByteView body) : body_(body) {}
  bool Next(SubChunk& next);

 private:
  ByteView body_;
  size_t position_ = 0;
};

// The first direct sub-chunk of `type` that the walk reaches.
std::optional<SubChunk> FindSubChunk(ByteView body, uint16_t type);

// The bytes after the six-byte header of the chunk that `chunk` starts with.
ByteView ChunkBody(ByteView chunk);

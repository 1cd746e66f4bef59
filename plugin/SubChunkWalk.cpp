#include "plugin/SubChunkWalk.h"

#include "scene/ChunkTypes.h"

bool SubChunkWalk::Next(SubChunk& next) {
  uint16_t type = 0;
  uint32_t size = 0;
  if (!body_.ReadU16(position_, type) || !body_.ReadU32(position_ + 2, size)) return false;
  if (size < kChunkHeaderSize || size > body_.Length() - position_) return false;
  next = {type, body_.Part(position_ + kChunkHeaderSize, size - kChunkHeaderSize)};
  position_ += size;
  return true;
}

std::optional<SubChunk> FindSubChunk(ByteView body, uint16_t type) {
  SubChunkWalk walk(body);
  for (SubChunk sub; walk.Next(sub);)
    if (sub.Type == type) return sub;
  return std::nullopt;
}

ByteView ChunkBody(ByteView chunk) { return chunk.Part(kChunkHeaderSize, chunk.Length()); }

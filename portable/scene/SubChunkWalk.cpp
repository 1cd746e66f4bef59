#include "scene/SubChunkWalk.h"

#include "scene/ChunkTypes.h"

bool SubChunkWalk::Next(SubChunk& next) {
  uint16_t type = 0;
  uint32_t size = 0;
  if (!body_.ReadU16(position_, type) || !body_.ReadU32(position_ + 2, size)) return false;
  if (size < kChunkHeaderSize) return false;
  const size_t left = body_.Length() - position_;
  if (size > left && overrun_ == Overrun::Ends) return false;
  next = {type, position_, size, body_.Part(position_ + kChunkHeaderSize, size - kChunkHeaderSize)};
  position_ += size > left ? left : size;
  return true;
}

std::optional<SubChunk> FindSubChunk(ByteView body, uint16_t type, Overrun overrun) {
  SubChunkWalk walk(body, overrun);
  for (SubChunk sub; walk.Next(sub);)
    if (sub.Type == type) return sub;
  return std::nullopt;
}

ByteView ChunkBody(ByteView chunk) { return chunk.Part(kChunkHeaderSize, chunk.Length()); }

#include "scene/SubChunkWalk.h"

#include "scene/ChunkTypes.h"

std::optional<SubChunk> FindSubChunk(ByteView body, uint16_t type, Overrun overrun) {
  SubChunkWalk walk(body, overrun);
  for (SubChunk sub; walk.Next(sub);)
    if (sub.Type == type) return sub;
  return std::nullopt;
}

ByteView ChunkBody(ByteView chunk) { return chunk.Part(kChunkHeaderSize, chunk.Length()); }

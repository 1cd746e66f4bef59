#include "scene/WholeChunk.h"

#include "scene/ChunkTypes.h"

std::optional<WholeChunkProblem> CheckWholeChunk(ByteView head, uint64_t length) {
  uint32_t sizeField = 0;
  if (length < kChunkHeaderSize || !head.ReadU32(2, sizeField))
    return WholeChunkProblem{.fault = WholeChunkProblem::Fault::ShorterThanHeader, .length = length};
  if (sizeField != length)
    return WholeChunkProblem{.fault = WholeChunkProblem::Fault::SizeDiffers, .length = length, .sizeField = sizeField};
  return std::nullopt;
}

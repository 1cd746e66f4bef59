#include "scene/Chunk.h"

Chunk Chunk::CopyOf(ByteView bytes) {
  std::shared_ptr<const ByteBlock> block = BlockCopiedFrom(bytes);
  const ByteView copy(block->Data(), block->Size());
  return Chunk(std::move(block), copy);
}

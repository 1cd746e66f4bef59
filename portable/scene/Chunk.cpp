#include "scene/Chunk.h"

#include <stdexcept>

Chunk::Chunk(std::shared_ptr<const ByteBlock> block, ByteView bytes) : block_(std::move(block)), bytes_(bytes) {
  if (bytes.Length() > UINT32_MAX) throw std::length_error("a chunk's size field holds at most 4 GiB - 1");
}

Chunk Chunk::CopyOf(ByteView bytes) {
  std::shared_ptr<const ByteBlock> block = BlockCopiedFrom(bytes);
  const ByteView copy(block->Data(), block->Size());
  return Chunk(std::move(block), copy);
}

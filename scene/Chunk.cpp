#include "scene/Chunk.h"

Chunk Chunk::CopyOf(ByteView bytes) {
  std::shared_ptr<const ByteBlock> block = BlockCopiedFrom(bytes);
  const ByteView copy(block->Data(), block->Size());
  return Chunk(std::move(block), copy);
}

os::ByteRun Chunk::Run() const {
  const os::FileSource* source = block_ ? block_->Source() : nullptr;
  const uint64_t offset = source != nullptr ? static_cast<uint64_t>(bytes_.Data() - block_->Data()) : 0;
  return {bytes_.Data(), bytes_.Length(), source, offset};
}

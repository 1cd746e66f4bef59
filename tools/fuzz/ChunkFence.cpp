#include "tools/fuzz/ChunkFence.h"

#include <sanitizer/asan_interface.h>

ChunkFence::ChunkFence(os::ByteRun block, ByteView chunk) : block_(block) {
  ASAN_POISON_MEMORY_REGION(block_.data, block_.size);
  ASAN_UNPOISON_MEMORY_REGION(chunk.Data(), chunk.Length());
}

ChunkFence::~ChunkFence() { ASAN_UNPOISON_MEMORY_REGION(block_.data, block_.size); }

#pragma once

#include "os/FileSystem.h"
#include "scene/ByteView.h"

// A loaded chunk's neighbours lie in the same block, one allocation, where
// AddressSanitizer sees no bounds between them. While a fence lives, every
// byte of the block but the chunk's own is poisoned, so that a read which
// leaves the chunk is reported. The poison marks 8-byte granules: a read a
// few bytes before the chunk's start can go unseen, one past its end cannot.
class ChunkFence {
 public:
  ChunkFence(os::ByteRun block, ByteView chunk);
  ChunkFence(const ChunkFence&) = delete;
  ChunkFence& operator=(const ChunkFence&) = delete;
  ~ChunkFence();

 private:
  os::ByteRun block_;
};

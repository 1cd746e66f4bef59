#pragma once
// The one check of a block handed over as a single chunk (a .dnc file, what
// the sound plug-in gives back): a chunk's header at least, and a size field
// that says the block's length. What kind of chunk it must be is the caller's.

#include <cstdint>
#include <optional>

#include "scene/ByteView.h"

struct WholeChunkProblem {
  enum class Fault {
    ShorterThanHeader,
    SizeDiffers,
  };
  Fault fault;
  uint64_t length;         // of the block
  uint32_t sizeField = 0;  // for SizeDiffers
};

// `head` is the block's start, a whole header where the block has one; the
// block is `length` bytes long, so that a file is judged before it is read.
std::optional<WholeChunkProblem> CheckWholeChunk(ByteView head, uint64_t length);

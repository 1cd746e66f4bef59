#pragma once
// One chunk's bytes, header included, shared and never changed. A handle
// keeps alive the block its bytes lie in: the loaded file's, or a block of
// the chunk's own after an edit. So no view of a chunk outlives its bytes,
// and an edit history can hold the chunks it took out at the cost of their
// handles.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "scene/ByteBlock.h"
#include "scene/ByteView.h"

class Chunk {
 public:
  Chunk() = default;
  // `bytes` lie in `block`. A chunk's length is that of its size field:
  // longer bytes are refused (std::length_error).
  Chunk(std::shared_ptr<const ByteBlock> block, ByteView bytes);
  // A chunk in a block of its own that holds a copy of the bytes.
  static Chunk CopyOf(ByteView bytes);

  ByteView Bytes() const { return bytes_; }
  // What keeps the bytes alive.
  const std::shared_ptr<const ByteBlock>& Block() const { return block_; }
  const uint8_t* Data() const { return bytes_.Data(); }
  size_t Length() const { return bytes_.Length(); }
  // Where its bytes start in its block: for a chunk as a load took it in, its
  // offset in the file.
  size_t OffsetInBlock() const { return static_cast<size_t>(bytes_.Data() - block_->Data()); }
  // False for no chunk at all.
  explicit operator bool() const { return block_ != nullptr; }
  // The same bytes: the very chunk, not an equal one.
  bool operator==(const Chunk& other) const { return bytes_.Data() == other.bytes_.Data(); }

 private:
  std::shared_ptr<const ByteBlock> block_;
  ByteView bytes_;
};

// Names a chunk of a document: given when the chunk comes in (a load, an
// add, an import that adds), kept when its bytes are replaced (a rename, new
// sound settings), never given again while the document lives. 0 is none.
using ChunkId = uint64_t;

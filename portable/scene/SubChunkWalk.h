#pragma once
// Steps through the direct sub-chunks of a chunk, each framed by a 16-bit type
// and a 32-bit size that counts its own six header bytes.

#include <cstdint>
#include <optional>

#include "scene/ByteView.h"
#include "scene/ChunkTypes.h"

struct SubChunk {
  uint16_t Type = 0;
  size_t Offset = 0;  // of its header, from the start of the walked bytes
  uint32_t Size = 0;  // as its header says, header included
  ByteView Payload;   // cut to what the walked bytes hold
};

// What a walk does with a sub-chunk that runs past the end of the bytes.
enum class Overrun {
  Ends,      // the walk ends before it: its value would be incomplete
  GivenOut,  // it is given out, its payload cut short, and the walk ends after it
};

// Walks `body`, the bytes that follow a chunk's own header. The walk ends at a
// header that is not all there and at a size below the header (it could never
// step forward).
class SubChunkWalk {
 public:
  explicit SubChunkWalk(ByteView body, Overrun overrun = Overrun::Ends) : body_(body), overrun_(overrun) {}
  // Here, so that walks over half a million chunks make no call for each step.
  bool Next(SubChunk& next) {
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

 private:
  ByteView body_;
  Overrun overrun_;
  size_t position_ = 0;
};

// The first direct sub-chunk of `type` that the walk reaches.
std::optional<SubChunk> FindSubChunk(ByteView body, uint16_t type, Overrun overrun = Overrun::Ends);

// The bytes after the six-byte header of the chunk that `chunk` starts with.
ByteView ChunkBody(ByteView chunk);

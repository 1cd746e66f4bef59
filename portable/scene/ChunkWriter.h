#pragma once
// Writes chunks front to back: they nest, and each gets its size when it is
// closed, so that no size is ever counted by hand. The bytes gather in memory;
// a writer given a stream moves them there as they grow (a scene too large to
// hold), and patches in the stream the size of a chunk already moved there.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "scene/ByteView.h"
#include "scene/ChunkTypes.h"
#include "scene/Stream.h"

class ChunkWriter {
 public:
  ChunkWriter() = default;
  explicit ChunkWriter(TStream& out) : out_(&out) {}
  ChunkWriter(const ChunkWriter&) = delete;
  ChunkWriter& operator=(const ChunkWriter&) = delete;

  void Open(uint16_t type);
  // Raises std::length_error for a chunk longer than its size field may say.
  void Close();
  // A whole chunk of `type` holding `payload`.
  void Chunk(uint16_t type, std::string_view payload);

  void U8(uint8_t value) { bytes_.push_back(value); }
  void U32(uint32_t value);
  void Float(float value);
  void Bytes(const void* bytes, size_t count);
  void Bytes(std::string_view bytes) { Bytes(bytes.data(), bytes.size()); }
  // A text as names and file paths are stored: its bytes and one zero byte.
  void Text(std::string_view text);
  // A text as init scripts and visual effects name themselves: a 32-bit
  // length, then its bytes.
  void CountedText(std::string_view text);

  // How many bytes have been written, in memory or moved to the stream.
  uint64_t Position() const { return moved_ + bytes_.size(); }
  // A writer without a stream: everything written. Chunks still open have no size yet.
  ByteView Written() const { return ByteView(bytes_.data(), bytes_.size()); }
  std::string_view WrittenText() const {
    return std::string_view(reinterpret_cast<const char*>(bytes_.data()), bytes_.size());
  }
  // Moves what memory holds to the stream, for a writer that has one.
  void Flush();

 private:
  void MoveWhenLarge();

  TStream* out_ = nullptr;
  std::vector<uint8_t> bytes_;
  uint64_t moved_ = 0;           // bytes already in the stream
  std::vector<uint64_t> open_;   // where each open chunk starts, outermost first
};

// The six header bytes of a chunk whose size is known before its bytes are
// written: what a save, which writes the chunks it holds as they stand, puts
// before each section.
std::array<uint8_t, kChunkHeaderSize> ChunkHeaderBytes(uint16_t type, uint32_t size);

#include "scene/ChunkWriter.h"

#include <bit>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "scene/LittleEndian.h"

namespace {
// What a writer with a stream holds in memory before it moves it there.
constexpr size_t kMoveAt = 1 << 20;
}  // namespace

std::array<uint8_t, kChunkHeaderSize> ChunkHeaderBytes(uint16_t type, uint32_t size) {
  std::array<uint8_t, kChunkHeaderSize> header{};
  WriteU16LE(header.data(), type);
  WriteU32LE(header.data() + 2, size);
  return header;
}

void ChunkWriter::Open(uint16_t type) {
  open_.push_back(Position());
  const auto header = ChunkHeaderBytes(type, 0);
  bytes_.insert(bytes_.end(), header.begin(), header.end());
}

void ChunkWriter::Close() {
  const uint64_t start = open_.back();
  open_.pop_back();
  const uint64_t size = Position() - start;
  if (size > static_cast<uint64_t>(INT32_MAX))
    throw std::length_error("a chunk of " + std::to_string(size) + " bytes, more than a chunk's size can say");
  if (start >= moved_) {
    WriteU32LE(bytes_.data() + (start - moved_) + 2, static_cast<uint32_t>(size));
    return;
  }
  out_->Seek(static_cast<int64_t>(start + 2), TStream::Origin::Begin);
  out_->WriteU32(static_cast<uint32_t>(size));
  out_->Seek(static_cast<int64_t>(moved_), TStream::Origin::Begin);
}

void ChunkWriter::Chunk(uint16_t type, std::string_view payload) {
  Open(type);
  Bytes(payload);
  Close();
}

void ChunkWriter::U32(uint32_t value) {
  uint8_t bytes[4];
  WriteU32LE(bytes, value);
  Bytes(bytes, sizeof bytes);
}

void ChunkWriter::Float(float value) { U32(std::bit_cast<uint32_t>(value)); }

void ChunkWriter::Bytes(const void* bytes, size_t count) {
  const auto* first = static_cast<const uint8_t*>(bytes);
  bytes_.insert(bytes_.end(), first, first + count);
  MoveWhenLarge();
}

void ChunkWriter::Text(std::string_view text) {
  Bytes(text);
  U8(0);
}

void ChunkWriter::CountedText(std::string_view text) {
  U32(static_cast<uint32_t>(text.size()));
  Bytes(text);
}

void ChunkWriter::MoveWhenLarge() {
  if (out_ != nullptr && bytes_.size() >= kMoveAt) Flush();
}

void ChunkWriter::Flush() {
  if (out_ == nullptr) return;
  out_->Write(bytes_.data(), bytes_.size());
  moved_ += bytes_.size();
  bytes_.clear();
}

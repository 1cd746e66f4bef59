#include "tools/scenegen/ChunkBuilder.h"

#include <bit>

#include "scene/ChunkTypes.h"
#include "scene/LittleEndian.h"

void ChunkBuilder::Reset() {
  bytes_.clear();
  open_.clear();
}

void ChunkBuilder::Open(uint16_t type) {
  open_.push_back(bytes_.size());
  bytes_.resize(bytes_.size() + kChunkHeaderSize);
  WriteU16LE(bytes_.data() + open_.back(), type);
}

void ChunkBuilder::Close() { CloseInnermost(0); }

void ChunkBuilder::CloseAll(uint32_t trailing) {
  while (!open_.empty()) CloseInnermost(trailing);
}

void ChunkBuilder::CloseInnermost(uint32_t trailing) {
  const size_t start = open_.back();
  open_.pop_back();
  WriteU32LE(bytes_.data() + start + 2, static_cast<uint32_t>(bytes_.size() - start) + trailing);
}

void ChunkBuilder::U32(uint32_t value) {
  uint8_t bytes[4];
  WriteU32LE(bytes, value);
  bytes_.insert(bytes_.end(), bytes, bytes + 4);
}

void ChunkBuilder::Float(float value) { U32(std::bit_cast<uint32_t>(value)); }

void ChunkBuilder::Name(const std::string& name) {
  Bytes(name);
  U8(0);
}

void ChunkBuilder::CountedName(const std::string& name) {
  U32(static_cast<uint32_t>(name.size()));
  Bytes(name);
}

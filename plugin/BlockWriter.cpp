#include "plugin/BlockWriter.h"

#include <bit>
#include <cstring>

#include "scene/LittleEndian.h"

uint8_t* BlockWriter::Take(size_t count) {
  if (count > length_ - position_) return nullptr;
  uint8_t* at = block_ + position_;
  position_ += count;
  return at;
}

void BlockWriter::Header(uint16_t type, uint32_t size) {
  if (uint8_t* at = Take(6)) {
    WriteU16LE(at, type);
    WriteU32LE(at + 2, size);
  }
}

void BlockWriter::U32(uint32_t value) {
  if (uint8_t* at = Take(4)) WriteU32LE(at, value);
}

void BlockWriter::Float(float value) { U32(std::bit_cast<uint32_t>(value)); }

void BlockWriter::Bytes(const std::string& bytes) {
  if (bytes.empty()) return;
  if (uint8_t* at = Take(bytes.size())) std::memcpy(at, bytes.data(), bytes.size());
}

void BlockWriter::Text(const std::string& text) {
  Bytes(text);
  if (uint8_t* at = Take(1)) *at = 0;
}

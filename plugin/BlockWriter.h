#pragma once
// Fills a block of known length front to back with chunk headers and
// little-endian values. Whatever would not fit is left out, so that sizes
// measured wrong could never write past the block's end.

#include <cstddef>
#include <cstdint>
#include <string>

class BlockWriter {
 public:
  BlockWriter(uint8_t* block, size_t length) : block_(block), length_(length) {}

  void Header(uint16_t type, uint32_t size);
  void U32(uint32_t value);
  void Float(float value);
  // The bytes as they stand.
  void Bytes(const std::string& bytes);
  // The bytes and one NUL byte.
  void Text(const std::string& text);

 private:
  // Where the next `count` bytes go, or null when they would not fit.
  uint8_t* Take(size_t count);

  uint8_t* block_;
  size_t length_;
  size_t position_ = 0;
};

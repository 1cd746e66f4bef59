#pragma once
// A read-only window on bytes that someone else owns, such as the chunk a host
// hands over. Every read is checked against the window's length, so nothing
// read through it can reach at or past the end it was given.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "scene/LittleEndian.h"

class ByteView {
 public:
  ByteView() = default;
  ByteView(const uint8_t* data, size_t length) : data_(data), length_(data != nullptr ? length : 0) {}

  size_t Length() const { return length_; }
  const uint8_t* Data() const { return data_; }

  // The `count` bytes from `offset`, cut to what the window really has.
  ByteView Part(size_t offset, size_t count) const {
    if (offset >= length_) return {};
    return {data_ + offset, std::min(count, length_ - offset)};
  }

  // False, with `value` untouched, when the bytes are not all there. Here,
  // so that the walks over half a million chunks make no call for each.
  bool ReadU16(size_t offset, uint16_t& value) const {
    if (!Has(offset, 2)) return false;
    value = ReadU16LE(data_ + offset);
    return true;
  }
  bool ReadU32(size_t offset, uint32_t& value) const {
    if (!Has(offset, 4)) return false;
    value = ReadU32LE(data_ + offset);
    return true;
  }
  bool ReadFloat(size_t offset, float& value) const;

  // The bytes as they stand, and the same up to the first zero byte.
  std::string Bytes() const;
  std::string TextUpToNul() const;

 private:
  bool Has(size_t offset, size_t count) const { return offset <= length_ && count <= length_ - offset; }

  const uint8_t* data_ = nullptr;
  size_t length_ = 0;
};

// Whether two windows show the same bytes, wherever each lies.
inline bool SameBytes(ByteView a, ByteView b) {
  return a.Length() == b.Length() && (a.Length() == 0 || std::memcmp(a.Data(), b.Data(), a.Length()) == 0);
}

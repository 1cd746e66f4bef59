#include "scene/ByteView.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "scene/LittleEndian.h"

ByteView ByteView::Part(size_t offset, size_t count) const {
  if (offset >= length_) return {};
  return {data_ + offset, std::min(count, length_ - offset)};
}

bool ByteView::ReadU16(size_t offset, uint16_t& value) const {
  if (!Has(offset, 2)) return false;
  value = ReadU16LE(data_ + offset);
  return true;
}

bool ByteView::ReadU32(size_t offset, uint32_t& value) const {
  if (!Has(offset, 4)) return false;
  value = ReadU32LE(data_ + offset);
  return true;
}

bool ByteView::ReadFloat(size_t offset, float& value) const {
  uint32_t bits = 0;
  if (!ReadU32(offset, bits)) return false;
  value = std::bit_cast<float>(bits);
  return true;
}

std::string ByteView::Bytes() const {
  return length_ == 0 ? std::string() : std::string(reinterpret_cast<const char*>(data_), length_);
}

std::string ByteView::TextUpToNul() const {
  if (length_ == 0) return {};
  const auto* end = static_cast<const uint8_t*>(std::memchr(data_, 0, length_));
  return std::string(reinterpret_cast<const char*>(data_), end != nullptr ? static_cast<size_t>(end - data_) : length_);
}

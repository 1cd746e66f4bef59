#include "scene/ByteView.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "scene/LittleEndian.h"

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

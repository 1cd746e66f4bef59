#include "tools/scene2/Crc32.h"

#include <array>

#include "scene/Hex.h"

namespace {

// The checksum of every byte value, so that each byte costs one lookup.
constexpr auto kTable = [] {
  std::array<uint32_t, 256> table{};
  for (uint32_t byte = 0; byte < 256; ++byte) {
    uint32_t crc = byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ ((crc & 1) != 0 ? 0xEDB88320u : 0u);
    table[byte] = crc;
  }
  return table;
}();

}  // namespace

uint32_t Crc32(const uint8_t* bytes, size_t count, uint32_t crc) {
  crc = ~crc;
  for (size_t i = 0; i < count; ++i) crc = kTable[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

std::string Crc32Text(uint32_t crc) { return HexUpper(crc, 8); }

#include "tools/fuzz/ChunkBytes.h"

#include <array>

#include "scene/ChunkTypes.h"
#include "scene/LittleEndian.h"

std::string ChunkOf(uint16_t type, std::string_view payload) {
  std::array<uint8_t, kChunkHeaderSize> header{};
  WriteU16LE(header.data(), type);
  WriteU32LE(header.data() + 2, static_cast<uint32_t>(kChunkHeaderSize + payload.size()));
  return std::string(header.begin(), header.end()) + std::string(payload);
}

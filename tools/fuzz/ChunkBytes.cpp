#include "tools/fuzz/ChunkBytes.h"

#include "scene/ChunkWriter.h"

std::string ChunkOf(uint16_t type, std::string_view payload) {
  ChunkWriter out;
  out.Chunk(type, payload);
  return std::string(out.WrittenText());
}

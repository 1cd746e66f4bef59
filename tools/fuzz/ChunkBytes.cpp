#include "tools/fuzz/ChunkBytes.h"

#include "scene/ChunkTypes.h"
#include "scene/ChunkWriter.h"

std::string ChunkOf(uint16_t type, std::string_view payload) {
  ChunkWriter out;
  out.Chunk(type, payload);
  return std::string(out.WrittenText());
}

std::string SmallScene(std::string_view second) {
  const std::string objects = ChunkOf(kObjectChunk, ChunkOf(kObjectNameChunk, std::string("crate", 6))) +
                              ChunkOf(kObjectChunk, ChunkOf(kObjectNameChunk, second)) +
                              ChunkOf(kObjectChunk, ChunkOf(kObjectNameChunk, "crate"));
  return ChunkOf(kRootChunk,
                 ChunkOf(1, "") + ChunkOf(kObjectsSection, objects) +
                     ChunkOf(kDefinitionsSection, ChunkOf(kDefinitionChunk, ChunkOf(kDefinitionNameChunk, "door1"))) +
                     ChunkOf(kInitScriptsSection, ChunkOf(kInitScriptChunk, std::string("\0\5\0\0\0start", 10))));
}

#include "tools/fuzz/CatalogueWalk.h"

#include <cstdint>
#include <optional>
#include <string>

#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "scene/LittleEndian.h"
#include "tools/fuzz/ChunkFence.h"
#include "tools/fuzz/Require.h"
#include "tools/fuzz/StructureCheck.h"

namespace {

constexpr uint16_t kSoughtSubChunks[] = {kObjectNameChunk, kObjectTypeChunk, kLightmapChunk, kDefinitionNameChunk,
                                         kDefinitionTypeChunk};

bool HeaderInside(ByteView chunk, uint32_t offset) {
  return offset >= kChunkHeaderSize && offset <= chunk.Length() - kChunkHeaderSize;
}

// A hit lies inside the chunk and has the type sought; a miss leaves the
// outputs as they were.
void CheckSubChunkSearch(ByteView chunk, uint16_t type) {
  constexpr uint32_t kUntouched = 0xFFFFFFFF;
  uint32_t offset = kUntouched;
  uint32_t size = kUntouched;
  if (!FindSubChunk(chunk, type, offset, size)) {
    Require(offset == kUntouched && size == kUntouched, "FindSubChunk changed its outputs on a miss");
    return;
  }
  Require(HeaderInside(chunk, offset), "FindSubChunk found a header outside the chunk");
  Require(size >= kChunkHeaderSize, "FindSubChunk found a size below the header");
  Require(ReadU16LE(chunk.Data() + offset) == type, "FindSubChunk found another type");
}

// Only objects and definitions keep their name in a sub-chunk.
void CheckNameSubChunk(ByteView chunk) {
  const std::optional<NameSubChunk> place = FindNameSubChunk(chunk);
  if (!place) return;
  const uint16_t type = GetChunkType(chunk);
  Require(type == kObjectChunk || type == kDefinitionChunk, "a name sub-chunk in a chunk that has none");
  Require(HeaderInside(chunk, place->offset), "FindNameSubChunk gave a header outside the chunk");
}

void WalkChunk(ByteView chunk) {
  for (const uint16_t type : kSoughtSubChunks) CheckSubChunkSearch(chunk, type);
  Require(!ObjectTypeName(GetObjectType(chunk)).empty(), "an object type without a display name");
  Require(!DefinitionTypeName(GetDefinitionType(chunk)).empty(), "a definition type without a display name");
  Require(ChunkName(chunk).size() <= chunk.Length() - kChunkHeaderSize, "a name longer than its chunk's payload");
  CheckNameSubChunk(chunk);
  CheckStructure(chunk);
}

}  // namespace

void WalkCatalogue(const ChunkList& list, os::ByteRun block) {
  if (list.Count() == 0) return;
  for (const ChunkEntry& entry : list.Entries()) {
    const ChunkFence fence(block, entry.chunk.Bytes());
    WalkChunk(entry.chunk.Bytes());
  }
  Require(FindChunkByName(list, ChunkName(list.At(0)->chunk.Bytes())) == 0,
          "the first chunk is not found by its own name");
}

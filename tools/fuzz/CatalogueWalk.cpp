#include "tools/fuzz/CatalogueWalk.h"

#include <cstdint>
#include <string>

#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "scene/Exception.h"
#include "scene/LittleEndian.h"
#include "tools/fuzz/ChunkFence.h"
#include "tools/fuzz/Require.h"

namespace {

constexpr uint16_t kSoughtSubChunks[] = {kObjectNameChunk, kObjectTypeChunk, kLightmapChunk, kDefinitionNameChunk,
                                         kDefinitionTypeChunk};

bool HeaderInside(const TMemoryStream& chunk, uint32_t offset) {
  return offset >= kChunkHeaderSize && offset <= chunk.Size() - kChunkHeaderSize;
}

// A hit lies inside the chunk, has the type sought and leaves the stream at its
// payload; a miss leaves the outputs as they were.
void CheckSubChunkSearch(TMemoryStream& chunk, uint16_t type) {
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
  Require(chunk.Position() == int64_t{offset} + kChunkHeaderSize, "FindSubChunk left the stream off the payload");
}

// Only objects and definitions keep their name in a sub-chunk.
void CheckNameSubChunk(TMemoryStream& chunk) {
  uint32_t offset = 0;
  uint32_t size = 0;
  try {
    GetChunkNameOffsSize(chunk, offset, size);
  } catch (const Exception&) {
    return;
  }
  const uint16_t type = GetChunkType(chunk);
  Require(type == kObjectChunk || type == kDefinitionChunk, "a name sub-chunk in a chunk that has none");
  Require(HeaderInside(chunk, offset), "GetChunkNameOffsSize gave a header outside the chunk");
}

void WalkChunk(TMemoryStream& chunk) {
  for (const uint16_t type : kSoughtSubChunks) CheckSubChunkSearch(chunk, type);
  Require(!ObjectTypeName(GetObjectType(chunk)).empty(), "an object type without a display name");
  Require(!DefinitionTypeName(GetDefinitionType(chunk)).empty(), "a definition type without a display name");
  Require(GetChunkName(chunk).size() <= chunk.Length() - kChunkHeaderSize, "a name longer than its chunk's payload");
  CheckNameSubChunk(chunk);
}

}  // namespace

void WalkCatalogue(const ChunkList& list, os::ByteRun block) {
  if (list.Count() == 0) return;
  for (int32_t index = 0; index < list.Count(); ++index) {
    TMemoryStream& chunk = *list.At(index);
    const ChunkFence fence(block, chunk);
    WalkChunk(chunk);
  }
  Require(FindChunkByName(list, GetChunkName(*list.At(0))) == 0, "the first chunk is not found by its own name");
}

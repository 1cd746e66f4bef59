#pragma once
// What the scene item chunks look like inside: where each keeps its name, the
// type codes of objects and definitions and their display names. Keeps no
// state and only reads: every call reads the chunk's bytes again.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "scene/ByteView.h"
#include "scene/ChunkList.h"
#include "scene/SceneError.h"

// A type code and its display name.
struct NamedCode {
  uint32_t code;
  const char* name;
};

// The object types with a display name, each with an index of its own: its
// place in ObjectTypeTable.
constexpr int kKnownObjectTypeCount = 11;
std::span<const NamedCode> ObjectTypeTable();
// The definition types that have a display name.
std::span<const NamedCode> NamedDefinitionTypeTable();
// Definition type codes 0 to kDefinitionTypeCount - 1 are known, named or not.
constexpr uint32_t kDefinitionTypeCount = 37;

// 0 for fewer than two bytes.
uint16_t GetChunkType(ByteView chunk);

// Finds the first direct sub-chunk of `type`: where its header is and its
// size. False, with `offset` and `size` untouched, when there is none or the
// walk meets a size field below 6.
bool FindSubChunk(ByteView chunk, uint16_t type, uint32_t& offset, uint32_t& size);

uint32_t GetObjectType(ByteView chunk);
std::string ObjectTypeName(uint32_t code);
// The index 0 to kKnownObjectTypeCount - 1 of an object type with a display
// name, or -1 for any other code.
int KnownObjectTypeIndex(uint32_t code);
uint32_t GetDefinitionType(ByteView chunk);
std::string DefinitionTypeName(uint32_t code);

// The chunk's name, or why it can't be read.
Outcome<std::string> ReadChunkName(ByteView chunk);
// The name, or empty when it can't be read.
std::string ChunkName(ByteView chunk);
// The same name as a view of the chunk's bytes, for comparing names of
// half a million chunks without a copy of each.
std::string_view ChunkNameView(ByteView chunk);
// ChunkNameView(before) == ChunkNameView(after), the second chunk read only
// as far as the first one's name where both are alike that far: an edit's
// check of half a million chunks whose values changed and names did not.
bool SameName(ByteView before, ByteView after);

// Where an object's or a definition's name sub-chunk lies: its header's
// offset and its size.
struct NameSubChunk {
  uint32_t offset;
  uint32_t size;
};
// Null for a chunk of another type, or one without a name sub-chunk.
std::optional<NameSubChunk> FindNameSubChunk(ByteView chunk);

// The index of the first chunk of the list named `name`, or -1.
int32_t FindChunkByName(const ChunkList& list, const std::string& name);

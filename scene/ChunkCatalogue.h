#pragma once
// What the scene item chunks look like inside: where each keeps its name, the
// type codes of objects and definitions and their display names. Keeps no
// state; every call reads the chunk again and moves its position.

#include <cstdint>
#include <span>
#include <string>

#include "scene/ChunkList.h"
#include "scene/MemoryStream.h"

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
// Where an init script and a visual effect keep the 32-bit length of their
// name; the name's bytes follow it.
constexpr uint32_t kInitScriptNameLengthOffset = 7;
constexpr uint32_t kVisualEffectNameLengthOffset = 16;

uint16_t GetChunkType(TMemoryStream& chunk);

// Finds the first direct sub-chunk of `type`; the stream is then at its first
// payload byte. False, with `offset` and `size` untouched, when there is none
// or the walk meets a size field below 6.
bool FindSubChunk(TMemoryStream& chunk, uint16_t type, uint32_t& offset, uint32_t& size);

uint32_t GetObjectType(TMemoryStream& chunk);
std::string ObjectTypeName(uint32_t code);
// The index 0 to kKnownObjectTypeCount - 1 of an object type with a display
// name, or -1 for any other code.
int KnownObjectTypeIndex(uint32_t code);
uint32_t GetDefinitionType(TMemoryStream& chunk);
std::string DefinitionTypeName(uint32_t code);

// The chunk's name; empty, with a trace line, when it can't be read.
void GetChunkName(TMemoryStream& chunk, std::string& name);
// The same without the trace line: false, with the reason, when it can't be read.
bool ReadChunkName(TMemoryStream& chunk, std::string& name, std::string& failure);
std::string GetChunkName(TMemoryStream& chunk);

// Where an object's or a definition's name sub-chunk lies. Raises Exception.
void GetChunkNameOffsSize(TMemoryStream& chunk, uint32_t& offset, uint32_t& size);

// The index of the first chunk of the list named `name`, or -1.
int32_t FindChunkByName(const ChunkList& list, const std::string& name);

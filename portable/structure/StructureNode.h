#pragma once
// One node of a chunk's described structure: a chunk or sub-chunk, a field
// the catalogue knows inside a chunk, or bytes that are neither. Plain data,
// so that any front end (scene2 show, the editor) can show it its own way.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "scene/ByteView.h"

struct StructureNode {
  enum class Kind : uint8_t { Chunk, Field, Raw };

  Kind kind = Kind::Chunk;
  size_t offset = 0;  // in the described chunk
  uint16_t type = 0;  // a chunk's type code
  uint64_t size = 0;  // a chunk's size field, header included; else the bytes spanned
  size_t length = 0;  // the bytes it really spans, cut at the described chunk's end
  std::string what;   // what it is; empty when unknown
  std::string value;  // in Windows-1251, as names are; empty when none
  std::string fault;  // what goes wrong here, as scene2 check words it
  std::vector<StructureNode> children;
};

// The bytes a leaf stands for in `chunk`, the described chunk: a chunk's
// payload, a field's or bytes' own.
ByteView LeafBytes(ByteView chunk, const StructureNode& node);

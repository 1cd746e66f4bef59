#pragma once
// One node of a chunk's described structure: a chunk or sub-chunk, a field
// the catalogue knows inside a chunk, or bytes that are neither. Plain data,
// so that any front end (scene2 show, the editor) can show it its own way.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "scene/ByteView.h"

// How a line's value is typed over (ValueEditing.h); None where it can't be.
enum class ValueKind : uint8_t {
  None,
  Name,            // the item's name: a rename
  Text,            // a text of the sound settings, written with one zero byte
  Floats,          // `count` floats
  ObjectType,      // a known object type's code
  DefinitionType,  // a known definition type's code
  SoundType,       // one of the sound dialog's types, stored as its index + 1
  Level,           // a level of the sound dialog's steps, stored as a fraction
  ConstRadius,     // the radii's first float
  DecreaseRadius,  // the radii's second, shown as the radius where the decrease ends
};

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
  ValueKind valueKind = ValueKind::None;
  uint8_t count = 0;  // the floats of a value of Floats
  std::vector<StructureNode> children;
};

// The bytes a leaf stands for in `chunk`, the described chunk: a chunk's
// payload, a field's or bytes' own.
ByteView LeafBytes(ByteView chunk, const StructureNode& node);

#pragma once
// A chunk's described structure as scene2 show writes it: one line a node,
// or one JSON document.

#include <ostream>

#include "scene/ByteView.h"
#include "structure/StructureNode.h"
#include "tools/scene2/JsonWriter.h"

// Each node's StructureLine, indented two spaces a level. With
// `hex`, each leaf's bytes follow it, 16 a line after their offset.
void WriteStructureLines(std::ostream& out, ByteView chunk, const StructureNode& node, bool hex);

// The same tree as a JSON object, the bytes of a leaf as hexadecimal digits.
void WriteStructureJson(JsonWriter& json, ByteView chunk, const StructureNode& node, bool hex);

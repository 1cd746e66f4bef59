#pragma once
// A described chunk as text: the line of each node, as scene2 show writes it
// and the editor's chunk view shows it, and a hex view of its bytes.

#include <cstddef>
#include <string>

#include "scene/ByteView.h"
#include "scene/PrintedName.h"
#include "structure/StructureNode.h"

// How a line writes the text of a value: as a command prints it, to be
// taken back (NameText), or as the editor shows it (ShownText).
using ValueText = std::string (*)(std::string_view);

// One node on a line, in UTF-8: its offset, its type in four upper-case
// hexadecimal digits ("-" for a field or bytes), its size, then what it is,
// its value and what goes wrong there, when known.
std::string StructureLine(const StructureNode& node, ValueText valueText = NameText);

// Where the bytes of a leaf (LeafBytes) start in the described chunk.
size_t LeafStart(const StructureNode& node);

// The bytes that a node spans in `chunk`, the described chunk: a chunk or
// sub-chunk with its header.
ByteView SpannedBytes(ByteView chunk, const StructureNode& node);

// `bytes` as a hex view shows them, 16 a line: the offset of the line's
// first byte (`offset` for the first), the bytes in hexadecimal and the same
// bytes as Windows-1251 characters, "." for those that ShownText escapes.
// Lines end in "\n". Past `limit` bytes, one line says how many are not shown.
std::string HexDump(ByteView bytes, size_t offset, size_t limit);

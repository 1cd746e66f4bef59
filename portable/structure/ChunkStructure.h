#pragma once
// The structure of a chunk as a tree: its sub-chunks in file order, with
// what the catalogue and the sound object layout know of them, shown as far
// as the chunk is well formed and never read past its end.

#include <cstddef>
#include <optional>
#include <span>

#include "scene/ByteView.h"
#include "scene/SubChunkTable.h"
#include "structure/StructureNode.h"

// `chunk` is one whole chunk, header included, as a section holds it.
StructureNode DescribeChunk(ByteView chunk);
// At most `maxNodes` nodes (the chunk's own and, in file order, the first
// of the rest; a sound object's fields may add a few); the number of those
// left out goes to `omitted`, when given.
StructureNode DescribeChunk(ByteView chunk, size_t maxNodes, size_t* omitted);

// The first sub-chunk of an object's or a definition's own run whose entry
// is one of `entries` and that shows a value, as DescribeChunk describes it
// but without what lies inside it: a field found in an item of half a
// million without describing the rest. Without `shown`, the line's value
// is left unwritten (the rest is as with it). Nullopt when there is none.
std::optional<StructureNode> DescribeItemSubChunk(ByteView chunk, std::span<const KnownSubChunk* const> entries,
                                                  bool shown = true);

#pragma once
// Chunks copied out of a scene to be pasted into one: a block of bytes that
// one editor puts on the clipboard and another, in another process and maybe
// of another version, reads back. Little-endian:
//
//   8 bytes  "S2CHUNKS"
//   2 bytes  the format's version, 1
//   4 bytes  the block's length, these 18 header bytes included (the
//            clipboard may hand back more, as it gives memory out rounded up)
//   4 bytes  how many chunks follow
//   then each chunk: 2 bytes the code of its section, then the whole chunk,
//   as long as its own size field says.

#include <cstdint>
#include <span>
#include <vector>

#include "scene/ByteView.h"
#include "scene/Chunk.h"
#include "scene/SceneError.h"

inline constexpr uint16_t kCopiedChunksVersion = 1;

// The block of `chunks`, each a whole chunk of an item type, as a document
// holds them (which keeps the whole within a 32-bit length).
std::vector<uint8_t> CopiedChunksBlock(std::span<const ByteView> chunks);

// The chunks of a block, each checked as an import checks a .dnc file and
// against the section it is said to be of. Refused (SceneFault::PasteRefused)
// for anything else, with the reason; bytes past the length the header says
// are no part of the block.
Outcome<std::vector<Chunk>> ReadCopiedChunks(ByteView block);

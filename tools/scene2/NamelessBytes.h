#pragma once
// A chunk's bytes but for its name, by which diff knows a chunk renamed: a
// rename rewrites the name with what frames it (an object's or a
// definition's name sub-chunk, an init script's or a visual effect's length
// field) and the size in the chunk's header, and nothing else.

#include <cstdint>
#include <optional>

#include "scene/ByteView.h"

struct NamelessBytes {
  ByteView type;        // the header's type field
  ByteView beforeName;  // from the end of the header to the name's frame
  ByteView afterName;   // from the end of the name to the chunk's end

  bool operator==(const NamelessBytes& other) const;
  // The CRC-32 of the three in turn, to find which chunks to compare.
  uint32_t Crc() const;
};

// Nullopt for a chunk of no section, or one whose name can't be found: no
// such chunk is taken for another one renamed.
std::optional<NamelessBytes> NamelessBytesOf(ByteView chunk);

#pragma once
// Two scenes compared chunk for chunk: the head chunks by position; in each
// section the chunks by name, the k-th chunk of a name in one scene with the
// k-th of that name in the other, as an import replaces them. A chunk left
// over in A whose bytes equal those of one left over in B but for the name
// is that chunk renamed.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "scene/ChunkTypes.h"
#include "scene/SceneDocument.h"

struct ChunkFacts {
  int32_t index = 0;  // in its list
  uint16_t type = 0;
  uint32_t size = 0;
  uint32_t crc = 0;
};

enum class Change { Added, Removed, Changed, Renamed };

struct ChunkDifference {
  Change change = Change::Changed;
  std::string name;     // a section's chunk: its name's bytes (in A, when renamed)
  int ordinal = 1;      // the how-manieth chunk of that name
  std::string newName;  // a renamed chunk's name in B
  int newOrdinal = 1;
  std::optional<ChunkFacts> a;
  std::optional<ChunkFacts> b;
};

struct SectionDifference {
  const SceneSection* section = nullptr;
  std::vector<ChunkDifference> chunks;  // those removed, changed and renamed in A's order, then those added in B's
  bool orderChanged = false;            // chunks that both hold stand in another order
};

struct SceneDifference {
  int32_t rootSizeA = 0;
  int32_t rootSizeB = 0;
  std::vector<ChunkDifference> heads;
  std::vector<SectionDifference> sections;  // all four, in listing order

  bool Same() const;
};

SceneDifference DiffScenes(SceneDocument& a, SceneDocument& b);

#pragma once
// What one step of a document's history did to its four sections: which
// chunks went, came or got new bytes, each by its identity and its index in
// its list. A view of the document follows the document by it.

#include <array>
#include <cstdint>
#include <vector>

#include "scene/Chunk.h"
#include "scene/ChunkTypes.h"

struct DocumentChange {
  enum class Step { None, Done, Undone, Redone };

  struct ListedChunk {
    ChunkId id = 0;
    int32_t index = 0;
  };

  // The changes to one section's list.
  struct Section {
    std::vector<ListedChunk> removed;   // ascending indexes, as they were before the step
    std::vector<ListedChunk> added;     // ascending indexes, as they are after it
    std::vector<ListedChunk> replaced;  // new bytes at the same index, in the order the edit made them
  };

  Step step = Step::None;
  std::array<Section, kSceneSectionCount> sections{};  // in the order of kSceneSections
};

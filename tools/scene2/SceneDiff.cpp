#include "tools/scene2/SceneDiff.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "scene/ChunkCatalogue.h"
#include "tools/scene2/Crc32.h"

namespace {

ChunkFacts FactsOf(const ChunkEntry& entry, int32_t index) {
  const ListedChunk& chunk = entry.chunk;
  return {index, GetChunkType(chunk.Bytes()), static_cast<uint32_t>(chunk.Length()),
          Crc32(chunk.Data(), chunk.Length())};
}

bool SameBytes(const ChunkEntry& first, const ChunkEntry& second) {
  const ListedChunk& a = first.chunk;
  const ListedChunk& b = second.chunk;
  return a.Length() == b.Length() && (a.Length() == 0 || std::memcmp(a.Data(), b.Data(), a.Length()) == 0);
}

// A chunk's place among the chunks of its name: its name and how many chunks
// of that name stand before it, and one.
using NamePlace = std::pair<std::string, int>;

std::vector<NamePlace> NamePlaces(const ChunkList& list) {
  std::map<std::string, int> seen;
  std::vector<NamePlace> places;
  for (const ChunkEntry& entry : list.Entries()) {
    // A name that can't be read is the empty one, as a lookup takes it.
    const std::string name = ChunkName(entry.chunk.Bytes());
    places.emplace_back(name, ++seen[name]);
  }
  return places;
}

std::vector<ChunkDifference> DiffHeads(const ChunkList& a, const ChunkList& b) {
  std::vector<ChunkDifference> heads;
  for (int32_t index = 0; index < std::max(a.Count(), b.Count()); ++index) {
    const ChunkEntry* inA = a.At(index);
    const ChunkEntry* inB = b.At(index);
    if (inA != nullptr && inB != nullptr && SameBytes(*inA, *inB)) continue;
    ChunkDifference head;
    head.change = inA == nullptr ? Change::Added : inB == nullptr ? Change::Removed : Change::Changed;
    if (inA != nullptr) head.a = FactsOf(*inA, index);
    if (inB != nullptr) head.b = FactsOf(*inB, index);
    heads.push_back(head);
  }
  return heads;
}

SectionDifference DiffSection(const SceneSection& section, const ChunkList& a, const ChunkList& b) {
  SectionDifference difference{&section, {}, false};
  const std::vector<NamePlace> placesA = NamePlaces(a);
  const std::vector<NamePlace> placesB = NamePlaces(b);
  std::map<NamePlace, int32_t> indexInB;
  for (int32_t index = 0; index < b.Count(); ++index) indexInB.emplace(placesB[static_cast<size_t>(index)], index);

  std::vector<bool> matchedInB(placesB.size(), false);
  std::vector<int32_t> matchedOrder;  // the indexes in B of the chunks matched, in A's order
  for (int32_t index = 0; index < a.Count(); ++index) {
    const NamePlace& place = placesA[static_cast<size_t>(index)];
    const auto found = indexInB.find(place);
    ChunkDifference chunk{Change::Removed, place.first, place.second, FactsOf(*a.At(index), index), std::nullopt};
    if (found != indexInB.end()) {
      matchedInB[static_cast<size_t>(found->second)] = true;
      matchedOrder.push_back(found->second);
      if (SameBytes(*a.At(index), *b.At(found->second))) continue;
      chunk.change = Change::Changed;
      chunk.b = FactsOf(*b.At(found->second), found->second);
    }
    difference.chunks.push_back(chunk);
  }
  for (int32_t index = 0; index < b.Count(); ++index) {
    const auto slot = static_cast<size_t>(index);
    if (!matchedInB[slot])
      difference.chunks.push_back(
          {Change::Added, placesB[slot].first, placesB[slot].second, std::nullopt, FactsOf(*b.At(index), index)});
  }
  difference.orderChanged = !std::is_sorted(matchedOrder.begin(), matchedOrder.end());
  return difference;
}

}  // namespace

bool SceneDifference::Same() const {
  return rootSizeA == rootSizeB && heads.empty() &&
         std::all_of(sections.begin(), sections.end(),
                     [](const SectionDifference& section) { return section.chunks.empty() && !section.orderChanged; });
}

SceneDifference DiffScenes(SceneDocument& a, SceneDocument& b) {
  SceneDifference difference{a.FileSize(), b.FileSize(), DiffHeads(a.Heads(), b.Heads()), {}};
  for (const SceneSection& section : kSceneSections)
    difference.sections.push_back(
        DiffSection(section, a.List(section), b.List(section)));
  return difference;
}

#include "tools/scene2/SceneDiff.h"

#include <algorithm>
#include <map>

#include "scene/ChunkCatalogue.h"
#include "tools/scene2/Crc32.h"
#include "tools/scene2/NamelessBytes.h"

namespace {

ChunkFacts FactsOf(const ChunkEntry& entry, int32_t index) {
  const ListedChunk& chunk = entry.chunk;
  return {index, GetChunkType(chunk.Bytes()), static_cast<uint32_t>(chunk.Length()),
          Crc32(chunk.Data(), chunk.Length())};
}

bool SameBytes(const ChunkEntry& first, const ChunkEntry& second) {
  return SameBytes(first.chunk.Bytes(), second.chunk.Bytes());
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

ChunkDifference NamedDifference(Change change, const NamePlace& place) {
  ChunkDifference chunk;
  chunk.change = change;
  chunk.name = place.first;
  chunk.ordinal = place.second;
  return chunk;
}

constexpr int32_t kNoPartner = -1;

// Pairs each chunk of A that its name left without a partner in B with the
// first chunk of B left over whose bytes are the same but for the name.
void PairRenames(const ChunkList& a, const ChunkList& b, std::vector<int32_t>& partnerInB,
                 std::vector<bool>& pairedInB) {
  // B's leftovers by the checksum of all but their names, in B's order.
  std::map<uint32_t, std::vector<int32_t>> leftInB;
  for (int32_t index = 0; index < b.Count(); ++index) {
    if (pairedInB[static_cast<size_t>(index)]) continue;
    if (const std::optional<NamelessBytes> bytes = NamelessBytesOf(b.At(index)->chunk.Bytes()))
      leftInB[bytes->Crc()].push_back(index);
  }
  for (int32_t index = 0; index < a.Count() && !leftInB.empty(); ++index) {
    if (partnerInB[static_cast<size_t>(index)] != kNoPartner) continue;
    const std::optional<NamelessBytes> bytes = NamelessBytesOf(a.At(index)->chunk.Bytes());
    if (!bytes) continue;
    const auto candidates = leftInB.find(bytes->Crc());
    if (candidates == leftInB.end()) continue;
    std::vector<int32_t>& inB = candidates->second;
    const auto same = std::find_if(inB.begin(), inB.end(), [&](int32_t candidate) {
      return NamelessBytesOf(b.At(candidate)->chunk.Bytes()) == bytes;
    });
    if (same == inB.end()) continue;
    partnerInB[static_cast<size_t>(index)] = *same;
    pairedInB[static_cast<size_t>(*same)] = true;
    inB.erase(same);
    if (inB.empty()) leftInB.erase(candidates);
  }
}

SectionDifference DiffSection(const SceneSection& section, const ChunkList& a, const ChunkList& b) {
  SectionDifference difference{&section, {}, false};
  const std::vector<NamePlace> placesA = NamePlaces(a);
  const std::vector<NamePlace> placesB = NamePlaces(b);
  std::map<NamePlace, int32_t> indexInB;
  for (int32_t index = 0; index < b.Count(); ++index) indexInB.emplace(placesB[static_cast<size_t>(index)], index);

  std::vector<int32_t> partnerInB(placesA.size(), kNoPartner);
  std::vector<bool> pairedInB(placesB.size(), false);
  for (size_t index = 0; index < placesA.size(); ++index) {
    if (const auto found = indexInB.find(placesA[index]); found != indexInB.end()) {
      partnerInB[index] = found->second;
      pairedInB[static_cast<size_t>(found->second)] = true;
    }
  }
  PairRenames(a, b, partnerInB, pairedInB);

  std::vector<int32_t> pairedOrder;  // the indexes in B of the chunks paired, in A's order
  for (int32_t index = 0; index < a.Count(); ++index) {
    const NamePlace& place = placesA[static_cast<size_t>(index)];
    const int32_t inB = partnerInB[static_cast<size_t>(index)];
    ChunkDifference chunk = NamedDifference(Change::Removed, place);
    chunk.a = FactsOf(*a.At(index), index);
    if (inB != kNoPartner) {
      pairedOrder.push_back(inB);
      const NamePlace& placeInB = placesB[static_cast<size_t>(inB)];
      if (placeInB != place) {
        chunk.change = Change::Renamed;
        chunk.newName = placeInB.first;
        chunk.newOrdinal = placeInB.second;
      } else if (SameBytes(*a.At(index), *b.At(inB))) {
        continue;
      } else {
        chunk.change = Change::Changed;
      }
      chunk.b = FactsOf(*b.At(inB), inB);
    }
    difference.chunks.push_back(chunk);
  }
  for (int32_t index = 0; index < b.Count(); ++index) {
    const auto slot = static_cast<size_t>(index);
    if (pairedInB[slot]) continue;
    ChunkDifference chunk = NamedDifference(Change::Added, placesB[slot]);
    chunk.b = FactsOf(*b.At(index), index);
    difference.chunks.push_back(chunk);
  }
  difference.orderChanged = !std::is_sorted(pairedOrder.begin(), pairedOrder.end());
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
    difference.sections.push_back(DiffSection(section, a.List(section), b.List(section)));
  return difference;
}

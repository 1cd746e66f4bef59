// Importing: whole chunks put back into their sections by name, as one edit
// of the history.

#include <unordered_map>

#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "scene/Counted.h"
#include "scene/SceneDocument.h"
#include "scene/SceneEdit.h"

namespace {

// Where the chunks of the imported names stand in one section, and how many
// of each an import has replaced so far.
struct NamePlaces {
  std::unordered_map<std::string, std::vector<int32_t>> indexes;
  std::unordered_map<std::string, size_t> replaced;
};

struct Incoming {
  Chunk chunk;
  uint16_t type;
  std::string name;
};

}  // namespace

Outcome<ImportTally> SceneDocument::Import(std::vector<Chunk> chunks) {
  // Every check before the first change. A name that can't be read is no
  // name: such a chunk is always added.
  std::vector<Incoming> incoming;
  std::unordered_map<const ChunkList*, NamePlaces> places;
  for (Chunk& chunk : chunks) {
    const uint16_t type = GetChunkType(chunk.Bytes());
    const ChunkList* list = ListOfItemType(type);
    if (list == nullptr) return SceneError{SceneFault::NotAnItem, kNotAnItemMessage};
    std::string name = ChunkName(chunk.Bytes());
    if (!name.empty()) places[list].indexes[name];
    incoming.push_back({std::move(chunk), type, std::move(name)});
  }
  for (auto& [list, names] : places) {
    const std::span<const ChunkEntry> entries = list->Entries();
    for (size_t index = 0; index < entries.size(); ++index)
      if (const auto found = names.indexes.find(ChunkName(entries[index].chunk.Bytes())); found != names.indexes.end())
        found->second.push_back(static_cast<int32_t>(index));
  }

  ImportTally tally;
  SceneEdit edit("import of " + Counted(incoming.size(), "chunk"));
  for (Incoming& item : incoming) {
    ChunkList& list = *ListOfItemType(item.type);
    const std::string what = std::string(SectionOfItemType(item.type)->word) + " " + item.name;
    int32_t index = -1;
    if (!item.name.empty()) {
      NamePlaces& names = places[&list];
      const std::vector<int32_t>& indexes = names.indexes[item.name];
      if (size_t& replaced = names.replaced[item.name]; replaced < indexes.size()) index = indexes[replaced++];
    }
    if (index >= 0) {
      tally.chunks.push_back(list.At(index)->id);
      edit.Of(list).swapped.emplace_back(index, std::move(item.chunk));
      events_->Imported(what, true);
      ++tally.replaced;
    } else {
      tally.chunks.push_back(NewId());
      edit.Of(list).added.push_back({tally.chunks.back(), std::move(item.chunk)});
      events_->Imported(what, false);
      ++tally.added;
    }
  }
  if (!edit.Empty()) Do(std::move(edit));
  return tally;
}

SceneError SceneDocument::ImportRefused(SceneError error) {
  events_->ImportRefused(error);
  return error;
}

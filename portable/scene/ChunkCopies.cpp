// Copies added to a scene, a paste's or a duplicate's: each under a name of
// its own, as one edit of the history.

#include <unordered_map>

#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "scene/Counted.h"
#include "scene/NumberedNames.h"
#include "scene/SceneDocument.h"
#include "scene/SceneEdit.h"

Outcome<std::vector<ChunkId>> SceneDocument::AddCopies(std::vector<Chunk> chunks, const std::string& verb) {
  struct Copy {
    ChunkList* list;
    Chunk chunk;
    std::string what;  // the section's word and the name the copy has
  };
  std::vector<Copy> copies;
  // The names of each section that takes a copy, as they will stand: first
  // the section's own and those of the copies whose names can't be
  // rewritten, so that no other copy takes one of them.
  std::unordered_map<const ChunkList*, NumberedNames> names;
  for (Chunk& chunk : chunks) {
    ChunkList* list = ListOfItemType(GetChunkType(chunk.Bytes()));
    if (list == nullptr) return SceneError{SceneFault::NotAnItem, kNotAnItemMessage};
    const auto [taken, first] = names.try_emplace(list);
    if (first) {
      taken->second.Reserve(static_cast<size_t>(list->Count()) + chunks.size());
      for (const ChunkEntry& entry : list->Entries()) taken->second.Take(ChunkName(entry.chunk.Bytes()));
    }
    if (!FindNameSubChunk(chunk.Bytes())) taken->second.Take(ChunkName(chunk.Bytes()));
    copies.push_back({list, std::move(chunk), ""});
  }
  for (Copy& copy : copies) {
    std::string name = ChunkName(copy.chunk.Bytes());
    if (const std::optional<NameSubChunk> place = FindNameSubChunk(copy.chunk.Bytes())) {
      // Numbered from the name's stem, so that a copy of "crate (2)" is "crate (3)".
      std::string unused = names[copy.list].Unused(name, SplitNumber(name).stem);
      if (unused != name) {
        // The copy keeps the name's form: one stored with a zero byte after it still has it.
        const ByteView bytes = copy.chunk.Bytes();
        const ByteView stored = bytes.Part(place->offset + kChunkHeaderSize, place->size - kChunkHeaderSize);
        const bool zeroEnded = stored.Length() > 0 && stored.Data()[stored.Length() - 1] == '\0';
        copy.chunk = RebuildWithName(bytes, place->offset, place->size, zeroEnded ? unused + '\0' : unused);
      }
      name = std::move(unused);
    }
    copy.what = std::string(SectionOfItemType(GetChunkType(copy.chunk.Bytes()))->word) + " " + name;
  }

  SceneEdit edit(verb + " of " + (copies.size() == 1 ? copies.front().what : Counted(copies.size(), "chunk")));
  std::vector<ChunkId> added;
  for (Copy& copy : copies) {
    added.push_back(NewId());
    edit.Of(*copy.list).added.push_back({added.back(), std::move(copy.chunk)});
  }
  if (!edit.Empty()) Do(std::move(edit));
  for (const Copy& copy : copies) events_->Added(copy.what);
  return added;
}

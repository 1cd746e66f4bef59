// Importing: whole chunks put back into their sections by name, the sizes
// kept in step as every editing operation keeps them.

#include <unordered_map>

#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "scene/SizeBookkeeping.h"
#include "scene/Trace.h"
#include "scene/qScene2bin.h"

namespace {

// A name that can't be read is no name: such a chunk is always added.
std::string NameOf(TMemoryStream& chunk) {
  std::string name;
  std::string ignored;
  ReadChunkName(chunk, name, ignored);
  return name;
}

// Where the chunks of the imported names stand in one section, and how many
// of each an import has replaced so far.
struct NamePlaces {
  std::unordered_map<std::string, std::vector<int32_t>> indexes;
  std::unordered_map<std::string, size_t> replaced;
};

struct Incoming {
  std::unique_ptr<TMemoryStream> chunk;
  uint16_t type;
  std::string name;
};

}  // namespace

ImportTally TqScene2bin::ImportDNC(std::vector<std::unique_ptr<TMemoryStream>> chunks) {
  // Every check before the first change.
  std::vector<Incoming> incoming;
  std::unordered_map<const ChunkList*, NamePlaces> places;
  for (auto& chunk : chunks) {
    const uint16_t type = GetChunkType(*chunk);
    const ChunkList& list = SectionListByChunkID(type);
    std::string name = NameOf(*chunk);
    if (!name.empty()) places[&list].indexes[name];
    incoming.push_back({std::move(chunk), type, std::move(name)});
  }
  for (auto& place : places) {
    NamePlaces& names = place.second;
    int32_t index = 0;
    place.first->ForEach([&names, &index](TMemoryStream& chunk) {
      if (const auto found = names.indexes.find(NameOf(chunk)); found != names.indexes.end())
        found->second.push_back(index);
      ++index;
    });
  }

  ImportTally tally;
  for (Incoming& item : incoming) {
    ChunkList& list = SectionListByChunkID(item.type);
    const std::string what = std::string(SectionOfItemType(item.type)->word) + " " + item.name;
    const auto length = static_cast<int64_t>(item.chunk->Length());
    int32_t index = -1;
    if (!item.name.empty()) {
      NamePlaces& names = places[&list];
      const std::vector<int32_t>& indexes = names.indexes[item.name];
      if (size_t& replaced = names.replaced[item.name]; replaced < indexes.size()) index = indexes[replaced++];
    }
    if (index >= 0) {
      const int64_t delta = length - static_cast<int64_t>(list.At(index)->Length());
      AddToSize(list.sectionSize, delta);
      AddToSize(fileSize, delta);
      list.ReplaceAt(index, std::move(item.chunk));
      Trace("qScene2bin.ImportDNC: replaced " + what);
      ++tally.replaced;
    } else {
      AppendToSection(list, std::move(item.chunk));
      Trace("qScene2bin.ImportDNC: added " + what);
      ++tally.added;
    }
  }
  return tally;
}

#include "tools/fuzz/SceneEdits.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "scene/Exception.h"
#include "tools/fuzz/Require.h"

namespace {

// What the section size and the file size count beyond the list's chunks. An
// edit changes both by the change in the chunks' lengths, so this stays put
// whatever it started as; sizes wrap as the stored 32-bit fields do.
struct SizeBook {
  uint32_t sectionBeyondChunks;
  uint32_t fileBeyondChunks;
  bool operator==(const SizeBook&) const = default;
};

SizeBook Book(const TqScene2bin& scene, const ChunkList& list) {
  uint32_t length = 0;
  list.ForEach([&length](const TMemoryStream& chunk) { length += static_cast<uint32_t>(chunk.Length()); });
  return {static_cast<uint32_t>(list.sectionSize) - length, static_cast<uint32_t>(scene.FileSize()) - length};
}

// By the input's length: up to 8 of its bytes (trailing zeros and all), the
// first chunk's name (a clash for every other chunk), or a cancel.
std::string Answer(std::string_view input, const ChunkList& list) {
  switch (input.size() % 3) {
    case 0:
      return std::string(input.substr(input.size() - std::min<size_t>(input.size(), 8)));
    case 1:
      return GetChunkName(*list.At(0));
    default:
      return {};
  }
}

void Rename(TqScene2bin& scene, ScriptedUi& ui, const ChunkList& list, int32_t index, std::string answer) {
  ui.SetAnswer(std::move(answer));
  PStream chunk = list.At(index);
  std::string newName;
  if (!scene.RenameChunk(chunk, newName)) {
    Require(chunk == list.At(index) && newName.empty(), "a failed rename changed the chunk or gave a name");
    return;
  }
  Require(chunk == list.At(index), "a renamed chunk is not in its old place");
  Require(FindChunkByName(list, newName) == index, "a new name is not the first of its kind in the list");
}

void Delete(TqScene2bin& scene, const ChunkList& list, int32_t index) {
  PStream chunk = list.At(index);
  const int32_t count = list.Count();
  try {
    Require(scene.DeleteDNC(chunk) == index, "DeleteDNC gave another index");
  } catch (const Exception&) {
    Require(list.Count() == count && chunk == list.At(index), "a failed delete changed the list");
    return;
  }
  Require(chunk == nullptr && list.Count() == count - 1, "a deleted chunk stayed");
}

}  // namespace

void EditEverySection(TqScene2bin& scene, ScriptedUi& ui, std::string_view input) {
  for (const SceneSection& section : kSceneSections) {
    const ChunkList& list = scene.SectionListByChunkID(section.itemType);
    if (list.Count() == 0) continue;
    const auto index = static_cast<int32_t>(input.size() / 3 % static_cast<size_t>(list.Count()));
    const SizeBook before = Book(scene, list);
    Rename(scene, ui, list, index, Answer(input, list));
    Delete(scene, list, (index + 1) % list.Count());
    Require(Book(scene, list) == before, "an edit changed a size by other than the change in length");
  }
}

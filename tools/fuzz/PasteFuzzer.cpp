// libFuzzer's entry for pastes: the input is what another program may have
// put on the clipboard under our format. When it is read as copied chunks,
// those are written again to the same block, and pasted into a small scene
// as one edit: every copy must be there, each copy that keeps its name in a
// name sub-chunk under a name of its own in its section, and the paste must
// take itself back, do itself again and save a file that loads and saves
// again to the same bytes.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "scene/CopiedChunks.h"
#include "scene/MemoryStream.h"
#include "scene/qScene2bin.h"
#include "tools/fuzz/ChunkBytes.h"
#include "tools/fuzz/Require.h"
#include "tools/fuzz/RoundTrip.h"
#include "tools/fuzz/ScriptedUi.h"

namespace {

// Two objects named "crate" and one "crate (2)", a definition "door1" and an
// init script "start"; no visual effects (a paste adds the section).
const std::string kScene = SmallScene("crate (2)");

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  DropTrace();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Outcome<std::vector<Chunk>> read = ReadCopiedChunks(ByteView(data, size));
  if (!read.ok()) return 0;
  std::vector<Chunk>& chunks = read.value();
  std::vector<ByteView> views;
  for (const Chunk& chunk : chunks) views.push_back(chunk.Bytes());
  const std::vector<uint8_t> again = CopiedChunksBlock(views);
  Require(again.size() <= size && std::memcmp(again.data(), data, again.size()) == 0,
          "the chunks read do not write the block they were read from");

  std::ostringstream messages;
  ScriptedUi ui(messages);
  const auto scene2bin = NewScene2bin(ui);
  SceneDocument& scene = scene2bin->Core();
  TMemoryStream stored(reinterpret_cast<const uint8_t*>(kScene.data()), kScene.size());
  stored.Seek(0, TStream::Origin::Begin);
  Require(scene.Load(stored).ok(), "the small scene does not load");
  const std::string asLoaded = SavedBytes(scene);

  const size_t count = chunks.size();
  const Outcome<std::vector<ChunkId>> pasted = scene.AddCopies(std::move(chunks), "paste");
  Require(pasted.ok() && pasted.value().size() == count, "a paste of chunks read is refused or loses some");
  for (const ChunkId id : pasted.value()) {
    const ChunkRef copy = scene.Get(id);
    Require(copy != nullptr, "a chunk pasted is not in the scene");
    if (!FindNameSubChunk(copy.Bytes())) continue;
    const std::string_view name = ChunkNameView(copy.Bytes());
    const std::span<const ChunkEntry> entries = scene.ListOfType(GetChunkType(copy.Bytes()))->Entries();
    Require(std::count_if(entries.begin(), entries.end(),
                          [name](const ChunkEntry& entry) { return ChunkNameView(entry.chunk.Bytes()) == name; }) == 1,
            "a chunk pasted shares its name with another of its section");
  }

  RequireOneEditUndoneAndRedone(scene, asLoaded, "paste");
  return 0;
}

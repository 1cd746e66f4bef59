// libFuzzer's entry for imports: the input is a .dnc file. When it is read
// as one, it is imported into a small scene, which must then hold it byte for
// byte, keep its sizes in step, take the import back and do it again as one
// edit, and save a file that loads and saves again to the same bytes.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <sstream>
#include <string>

#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "scene/DncImport.h"
#include "scene/MemoryStream.h"
#include "scene/qScene2bin.h"
#include "tools/fuzz/ChunkBytes.h"
#include "tools/fuzz/Require.h"
#include "tools/fuzz/RoundTrip.h"
#include "tools/fuzz/ScriptedUi.h"

namespace {

// Two objects named "crate" (an import replaces them in turn), one "horn", a
// definition and an init script; no visual effects (an import adds the
// section).
const std::string kScene = SmallScene("horn");

std::string BytesOf(ByteView chunk) { return chunk.Bytes(); }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  DropTrace();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const Outcome<Chunk> read = ReadDncChunk(ByteView(data, size));
  if (!read.ok()) return 0;
  const Chunk& chunk = read.value();
  Require(BytesOf(chunk.Bytes()) == input, "a chunk read is not the whole file");

  std::ostringstream messages;
  ScriptedUi ui(messages);
  const auto scene2bin = NewScene2bin(ui);
  SceneDocument& scene = scene2bin->Core();
  TMemoryStream stored(reinterpret_cast<const uint8_t*>(kScene.data()), kScene.size());
  stored.Seek(0, TStream::Origin::Begin);
  Require(scene.Load(stored).ok(), "the small scene does not load");
  const std::string asLoaded = SavedBytes(scene);
  const uint16_t type = GetChunkType(chunk.Bytes());
  const ChunkList& list = *scene.ListOfType(type);
  const int32_t countBefore = list.Count();

  const ImportTally tally = scene2bin->ImportDNC({chunk});
  Require(tally.replaced + tally.added == 1, "one chunk imported is not one chunk counted");
  Require(list.Count() == countBefore + tally.added, "the section's count is not the one the tally gives");
  const std::span<const ChunkEntry> entries = list.Entries();
  Require(std::any_of(entries.begin(), entries.end(),
                      [&](const ChunkEntry& each) { return BytesOf(each.chunk.Bytes()) == input; }),
          "the section does not hold the imported chunk");

  RequireOneEditUndoneAndRedone(scene, asLoaded, "import");
  return 0;
}

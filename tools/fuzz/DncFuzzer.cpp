// libFuzzer's entry for imports: the input is a .dnc file. When it is read
// as one, it is imported into a small scene, which must then hold it byte for
// byte, keep its sizes in step, and save a file that loads and saves again
// to the same bytes.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "scene/DncImport.h"
#include "scene/Exception.h"
#include "scene/MemoryStream.h"
#include "scene/ScriptedUi.h"
#include "scene/qScene2bin.h"
#include "tools/fuzz/Require.h"
#include "tools/fuzz/RoundTrip.h"

namespace {

std::string ChunkOf(uint16_t type, const std::string& payload) {
  const auto size = static_cast<uint32_t>(kChunkHeaderSize + payload.size());
  std::string bytes{static_cast<char>(type & 0xFF), static_cast<char>(type >> 8)};
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((size >> shift) & 0xFF);
  return bytes + payload;
}

// Two objects named "crate" (an import replaces them in turn), one "horn", a
// definition and an init script; no visual effects (an import adds the
// section).
const std::string kScene =
    ChunkOf(kRootChunk, ChunkOf(1, "") +
                          ChunkOf(kObjectsSection, ChunkOf(kObjectChunk, ChunkOf(kObjectNameChunk, std::string("crate", 6))) +
                                                     ChunkOf(kObjectChunk, ChunkOf(kObjectNameChunk, "horn")) +
                                                     ChunkOf(kObjectChunk, ChunkOf(kObjectNameChunk, "crate"))) +
                          ChunkOf(kDefinitionsSection, ChunkOf(kDefinitionChunk, ChunkOf(kDefinitionNameChunk, "door1"))) +
                          ChunkOf(kInitScriptsSection, ChunkOf(kInitScriptChunk, std::string("\0\5\0\0\0start", 10))));

std::string BytesOf(const TMemoryStream& stream) {
  return {reinterpret_cast<const char*>(stream.Data()), stream.Length()};
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  DropTrace();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  TMemoryStream file(data, size);
  std::unique_ptr<TMemoryStream> chunk;
  try {
    chunk = ReadDncChunk(file);
  } catch (const Exception&) {
    return 0;
  }
  Require(BytesOf(*chunk) == input, "a chunk read is not the whole file");

  std::ostringstream messages;
  ScriptedUi ui(messages);
  const auto scene = NewScene2bin(ui);
  TMemoryStream stored(reinterpret_cast<const uint8_t*>(kScene.data()), kScene.size());
  stored.Seek(0, TStream::Origin::Begin);
  Require(scene->ReadFromStream(stored), "the small scene does not load");
  const uint16_t type = GetChunkType(*chunk);
  const ChunkList& list = scene->SectionListByChunkID(type);
  const int32_t countBefore = list.Count();

  std::vector<std::unique_ptr<TMemoryStream>> chunks;
  chunks.push_back(std::move(chunk));
  const ImportTally tally = scene->ImportDNC(std::move(chunks));
  Require(tally.replaced + tally.added == 1, "one chunk imported is not one chunk counted");
  Require(list.Count() == countBefore + tally.added, "the section's count is not the one the tally gives");
  bool held = false;
  list.ForEach([&](const TMemoryStream& each) { held |= BytesOf(each) == input; });
  Require(held, "the section does not hold the imported chunk");

  TMemoryStream saved;
  scene->WriteToStream(saved);
  Require(scene->FileSize() == static_cast<int32_t>(saved.Length()), "the file size kept is not the length saved");
  RequireStableRoundTrip(*scene, ui);
  return 0;
}

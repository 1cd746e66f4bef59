// Loaded chunks are views of the loaded bytes, one block for the whole file:
// nothing that reads a chunk may step past its end into the next one, the
// bytes stay as long as a handle to them does, and a save must send out
// every chunk whole however scattered the views are.

#include <gtest/gtest.h>

#include <string>

#include "scene/ByteBlock.h"
#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "scene/DncExport.h"
#include "scene/Exception.h"
#include "scene/FileStream.h"
#include "scene/LittleEndian.h"
#include "tests/SceneTestSupport.h"
#include "tests/plugin/GuardedBlock.h"
#include "tools/scenegen/SceneGenerator.h"

namespace {

// A file whose last byte stands right before a page that can't be touched.
class GuardedFile final : public ByteBlock {
 public:
  explicit GuardedFile(const Bytes& bytes) : memory_(bytes) {}
  const uint8_t* Data() const override { return memory_.Data(); }
  size_t Size() const override { return memory_.Length(); }

 private:
  GuardedBlock memory_;
};

struct CutShort {
  const char* name;
  uint16_t section;
  Bytes chunk;
};

// Item chunks whose insides point past their end, most of them a single
// byte short of a field that a reader takes; the framing is sound.
const CutShort kCutShort[] = {
    {"ObjectNameRunsPastItsEnd", kObjectsSection,
     ChunkWithSize(kObjectChunk, 14, ChunkWithSize(kObjectNameChunk, 60, {'a', 'b'}))},
    {"ObjectNameWithoutItsZero", kObjectsSection, ChunkOf(kObjectChunk, ChunkOf(kObjectNameChunk, Text("crate")))},
    {"ObjectTypeOneByteShort", kObjectsSection,
     ChunkOf(kObjectChunk, Concat({ChunkOf(kObjectNameChunk, Text("a")), U16(kObjectTypeChunk), U32(10), {7, 7, 7}}))},
    {"SubChunkHeaderOneByteShort", kObjectsSection,
     ChunkOf(kObjectChunk, Concat({ChunkOf(kObjectNameChunk, Text("a")), {0x11, 0x40, 9, 0, 0}}))},
    {"LightmapAtTheEnd", kObjectsSection, ChunkOf(kObjectChunk, Concat({U16(kLightmapChunk), U32(6)}))},
    {"SubChunkOfSizeZero", kObjectsSection, ChunkOf(kObjectChunk, Concat({U16(0x20), U32(0), {1, 2, 3}}))},
    {"DefinitionTypeOneByteShort", kDefinitionsSection,
     ChunkOf(kDefinitionChunk,
             Concat({ChunkOf(kDefinitionNameChunk, Text("d")), U16(kDefinitionTypeChunk), U32(10), {3, 3, 3}}))},
    {"DefinitionNameRunsPastItsEnd", kDefinitionsSection,
     ChunkWithSize(kDefinitionChunk, 13, ChunkWithSize(kDefinitionNameChunk, 99, {'d'}))},
    {"InitScriptNameRunsPastItsEnd", kInitScriptsSection,
     ChunkOf(kInitScriptChunk, Concat({{1}, U32(500), Text("go")}))},
    {"InitScriptLengthOneByteShort", kInitScriptsSection, ChunkOf(kInitScriptChunk, {1, 4, 0, 0})},
    {"VisualEffectNameRunsPastItsEnd", kVisualEffectsSection,
     ChunkOf(kVisualEffectChunk, Concat({Bytes(10, 7), U32(70000), Text("fog")}))},
    {"VisualEffectLengthOneByteShort", kVisualEffectsSection,
     ChunkOf(kVisualEffectChunk, Concat({Bytes(10, 7), {3, 0, 0}}))},
    {"HeaderOnly", kObjectsSection, ChunkOf(kObjectChunk, {})},
};

class ReadersStopAtTheChunksEnd : public testing::TestWithParam<CutShort> {};

TEST_P(ReadersStopAtTheChunksEnd, EvenWhenItsInsidesPointFurther) {
  const CutShort& item = GetParam();
  const Bytes file = SceneFile({ChunkOf(1, {}), ChunkOf(item.section, item.chunk)});
  TraceCollector trace;
  TestUi ui;
  ui.answers = {"renamed"};
  const auto scene2bin = NewScene2bin(ui);
  SceneDocument& document = scene2bin->Core();
  auto block = std::make_unique<GuardedFile>(file);
  const uint8_t* guard = block->Data() + block->Size();
  ASSERT_TRUE(document.Load(std::move(block)).ok());
  const ChunkList& list = scene2bin->SectionListByChunkID(ReadU16LE(item.chunk.data()));
  ChunkRef chunk = RefAt(list, list.Count() - 1);
  ASSERT_EQ(chunk->Data() + chunk->Length(), guard);

  // Every reader of a chunk, each of which would fault on the guard page.
  for (const uint16_t type : {kObjectNameChunk, kObjectTypeChunk, kLightmapChunk, kDefinitionNameChunk,
                              kDefinitionTypeChunk, uint16_t{0x20}}) {
    uint32_t offset = 0;
    uint32_t size = 0;
    FindSubChunk(chunk.Bytes(), type, offset, size);
  }
  GetObjectType(chunk.Bytes());
  GetDefinitionType(chunk.Bytes());
  EXPECT_LE(GetChunkName(chunk.Bytes()).size(), chunk->Length() - kChunkHeaderSize);
  FindChunkByName(list, "nothing of that name");
  DncFileName(chunk.Bytes());
  DumpChunk(chunk.Bytes());
  EXPECT_EQ(Written(document), file);
  std::string newName;
  scene2bin->RenameChunk(chunk, newName);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReadersStopAtTheChunksEnd, testing::ValuesIn(kCutShort),
                         [](const testing::TestParamInfo<CutShort>& instance) { return instance.param.name; });

TEST(LoadedChunks, OutliveTheirDocumentAndTheLoadsAfterIt) {
  const Bytes crate = ObjectChunk("crate", 9);
  const Bytes horn = ObjectChunk("horn", 4);
  const Bytes file = SceneFile({ChunkOf(1, {}), ChunkOf(kObjectsSection, Concat({crate, horn}))});
  ChunkRef first;
  {
    LoadedScene scene(file);
    ASSERT_TRUE(scene.loaded);
    first = RefAt(scene.document->Objects(), 0);
    const ChunkRef second = RefAt(scene.document->Objects(), 1);
    ASSERT_EQ(first->Data() + first->Length(), second->Data()) << "views of one block";
    // A new load starts afresh: the chunk taken before is not found, by
    // identity, though its bytes stay.
    TraceCollector trace;
    TMemoryStream again(file.data(), file.size());
    ASSERT_TRUE(scene.document->Load(again).ok());
    EXPECT_EQ(scene.document->Get(first.id), nullptr);
    EXPECT_NE(RefAt(scene.document->Objects(), 0).id, first.id);
  }
  EXPECT_EQ(BytesOf(first.Bytes()), crate);
}

TEST(LoadedChunks, AWriteBeforeTheStartIsRefusedAsABugAndChangesNothing) {
  const Bytes crate = ObjectChunk("crate", 9);
  TMemoryStream chunk(crate.data(), crate.size());
  chunk.Seek(-1, TStream::Origin::Begin);
  const uint8_t byte = 0xEE;
  try {
    chunk.Write(&byte, 1);
    FAIL() << "a write at -1 was taken";
  } catch (const std::exception& failure) {
    EXPECT_EQ(FailureMessage(failure), "a write before the start of a stream");
  }
  EXPECT_EQ(BytesOf(ByteView(chunk.Data(), chunk.Length())), crate);
}

TEST(LoadedChunks, ASaveOfScatteredChunksSendsEveryOneWhole) {
  // Every second object deleted leaves more runs than one gather write takes.
  constexpr int kObjects = 6000;
  Bytes objects;
  Bytes kept;
  for (int i = 0; i < kObjects; ++i) {
    const Bytes object = ObjectChunk("o" + std::to_string(i), 9);
    objects.insert(objects.end(), object.begin(), object.end());
    if (i % 2 == 1 && i + 1 < kObjects) kept.insert(kept.end(), object.begin(), object.end());
  }
  // The last one renamed: a chunk built anew among the views.
  const Bytes renamed =
      ChunkOf(kObjectChunk, Concat({ChunkOf(kObjectNameChunk, Text("renamed")), ChunkOf(kObjectTypeChunk, U32(9)),
                                    ChunkOf(0x0020, Bytes(12, 0))}));
  LoadedScene scene(SceneFile({ChunkOf(1, {}), ChunkOf(kObjectsSection, objects)}));
  ASSERT_TRUE(scene.loaded);
  TraceCollector trace;
  for (int32_t index = 0; index < kObjects / 2; ++index) {
    ChunkRef chunk = RefAt(scene.document->Objects(), index);
    ASSERT_EQ(scene.scene2bin->DeleteDNC(chunk), index);
  }
  scene.ui.answers = {"renamed"};
  ChunkRef last = RefAt(scene.document->Objects(), kObjects / 2 - 1);
  std::string newName;
  ASSERT_TRUE(scene.scene2bin->RenameChunk(last, newName));

  ScratchFolder folder;
  const std::string path = folder.Path("scene2.bin");
  ASSERT_TRUE(scene.document->Save(path).ok());
  EXPECT_EQ(ReadFileBytes(path), SceneFile({ChunkOf(1, {}), ChunkOf(kObjectsSection, Concat({kept, renamed}))}));
}

TEST(LoadedChunks, ASaveOfAFileLoadedFromDiskGivesTheBytesHeldInMemory) {
  ScratchFolder folder;
  // Megabytes, so that long runs of the loaded file go out as copies of it.
  const std::string path = folder.Path("scene2.bin");
  {
    SceneOptions options;
    options.targetBytes = 1'000'000;
    auto file = TFileStream::Create(path);
    ASSERT_TRUE(file.ok()) << file.reason();
    GenerateScene(options, *file.value());
    file.value()->Commit();
  }
  TraceCollector trace;
  TestUi ui;
  const auto scene2bin = NewScene2bin(ui);
  SceneDocument& document = scene2bin->Core();
  ASSERT_TRUE(document.Load(path).ok());
  ChunkRef middle = RefAt(document.Objects(), scene2bin->CountByChunkID(kObjectChunk) / 2);
  scene2bin->DeleteDNC(middle);
  ui.answers = {"renamed"};
  ChunkRef renamed = RefAt(document.Objects(), 3);
  std::string newName;
  ASSERT_TRUE(scene2bin->RenameChunk(renamed, newName));

  const std::string copy = folder.Path("copy.bin");
  ASSERT_TRUE(document.Save(copy).ok());
  EXPECT_EQ(ReadFileBytes(copy), Written(document));
  // Saved over the file that its chunks came from, it gives the same again.
  ASSERT_TRUE(document.Save(path).ok());
  EXPECT_EQ(ReadFileBytes(path), ReadFileBytes(copy));
}

}  // namespace

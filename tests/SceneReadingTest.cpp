// Reading scene2.bin into the document and writing it back.

#include <gtest/gtest.h>

#include "scene/ChunkTypes.h"
#include "scene/qScene2bin.h"
#include "tests/SceneTestSupport.h"

namespace {

// Root size 26; one head chunk of type 0x0001 and size 6; an objects section
// of size 14 holding one chunk of type 0x4010 and size 8.
const Bytes kSmallScene = {0x53, 0x4C, 0x1A, 0x00, 0x00, 0x00,               // root
                           0x01, 0x00, 0x06, 0x00, 0x00, 0x00,               // head chunk
                           0x00, 0x40, 0x0E, 0x00, 0x00, 0x00,               // objects section
                           0x10, 0x40, 0x08, 0x00, 0x00, 0x00, 0xAA, 0xBB};  // one object

struct Load : TracedLoad {
  explicit Load(const Bytes& file)
      : TracedLoad([&file](SceneDocument& loading) { return loading.Load(*StreamOf(file)).ok(); }) {}
};

TEST(SceneReading, ReadsTheSmallSceneWithItsTrace) {
  Load load(kSmallScene);
  ASSERT_TRUE(load.loaded);
  const SceneDocument& document = *load.document;
  EXPECT_EQ(load.lines, (std::vector<std::string>{
                            "* qScene2bin.clear done *",
                            "qScene2bin.ReadFromFile: file open",
                            "TqScene2bin.ReadHeadFromStream: 0001 - done",
                            "qScene2bin.ReadFromFile: reading head - done",
                            "qScene2bin.ReadSectionsFromStream BeginOffs: 14",
                            "qScene2bin.ReadSectionsFromStream sectionSize: 14",
                            "qScene2bin.ReadSectionsFromStream - done",
                            "qScene2bin.ReadFromFile: reading sections - done",
                            "objects: 1",
                            "difinition: 0",
                            "init scripts: 0",
                        }));
  EXPECT_EQ(document.FileSize(), 26);
  ASSERT_EQ(document.Heads().Count(), 1);
  EXPECT_EQ(BytesOf(document.Heads().At(0)->chunk.Bytes()), Bytes(kSmallScene.begin() + 6, kSmallScene.begin() + 12));
  ASSERT_EQ(document.Objects().Count(), 1);
  EXPECT_EQ(BytesOf(document.Objects().At(0)->chunk.Bytes()), Bytes(kSmallScene.begin() + 18, kSmallScene.end()));
  EXPECT_EQ(document.Objects().sectionSize, 14);
  EXPECT_EQ(document.Definitions().Count(), 0);
  EXPECT_EQ(document.InitScripts().Count(), 0);
  EXPECT_EQ(document.VisualEffects().Count(), 0);
  EXPECT_EQ(Written(document), kSmallScene);
}

TEST(SceneReading, LoadingTwiceGivesTheSameListsAndTrace) {
  Load load(kSmallScene);
  auto again = StreamOf(kSmallScene);
  ASSERT_TRUE(load.document->Load(*again).ok());
  EXPECT_EQ(load.trace.TakeLines(), load.lines);
  EXPECT_EQ(load.document->Heads().Count(), 1);
  EXPECT_EQ(load.document->Objects().Count(), 1);
}

TEST(SceneReading, CountLinesLeaveOutVisualEffects) {
  Load load(SceneFile({ChunkOf(1, {}), ChunkOf(kVisualEffectsSection, VisualEffectChunk("fog")),
                       ChunkOf(kInitScriptsSection, Concat({InitScriptChunk("a"), InitScriptChunk("b")}))}));
  ASSERT_TRUE(load.loaded);
  EXPECT_EQ(std::vector<std::string>(load.lines.end() - 3, load.lines.end()),
            (std::vector<std::string>{"objects: 0", "difinition: 0", "init scripts: 2"}));
  EXPECT_EQ(load.document->VisualEffects().Count(), 1);
}

TEST(SceneReading, HeadChunkTypesAreTracedAsFourUpperCaseDigits) {
  Load load(SceneFile({ChunkOf(0x00AB, {}), ChunkOf(0xBEEF, {1, 2}), ChunkOf(kObjectsSection, ObjectChunk("a", 9))}));
  ASSERT_TRUE(load.loaded);
  EXPECT_EQ(load.lines[2], "TqScene2bin.ReadHeadFromStream: 00AB - done");
  EXPECT_EQ(load.lines[3], "TqScene2bin.ReadHeadFromStream: BEEF - done");
}

TEST(SceneReading, FirstHeadChunkIsTakenWhateverItsType) {
  // A section right behind the root header is read as a head chunk.
  Load load(SceneFile({ChunkOf(kObjectsSection, {}), ChunkOf(kDefinitionsSection, DefinitionChunk("d", 4))}));
  ASSERT_TRUE(load.loaded);
  EXPECT_EQ(load.document->Heads().Count(), 1);
  EXPECT_EQ(load.document->Definitions().Count(), 1);
}

TEST(SceneReading, SectionsOfOneCodeMergeUnderTheSizeOfAll) {
  const Bytes file = SceneFile({ChunkOf(1, {}), ChunkOf(kObjectsSection, ObjectChunk("a", 9)),
                                ChunkOf(kObjectsSection, Concat({ObjectChunk("bb", 4), ObjectChunk("c", 2)}))});
  Load load(file);
  ASSERT_TRUE(load.loaded);
  const ChunkList& objects = load.document->Objects();
  ASSERT_EQ(objects.Count(), 3);
  // Sized as the one section a save writes: one header, every chunk.
  EXPECT_EQ(objects.sectionSize, static_cast<int32_t>(6 + ObjectChunk("a", 9).size() + ObjectChunk("bb", 4).size() +
                                                      ObjectChunk("c", 2).size()));
  // Written as one section that covers all three chunks, and loading that again.
  const Bytes written = Written(*load.document);
  EXPECT_EQ(written.size(), file.size() - 6);
  Load reloaded(written);
  ASSERT_TRUE(reloaded.loaded);
  EXPECT_EQ(reloaded.document->Objects().Count(), 3);
  EXPECT_EQ(Written(*reloaded.document), written);
}

// Two sections of one kind whose sizes are far below their headers: each is
// read empty, and their sizes add up as the stored field wraps (a fuzzer's
// find: the sum overflowed a signed number).
TEST(SceneReading, SectionsOfOneCodeAddSizesThatWrap) {
  const Bytes file =
      SceneFile({ChunkOf(1, {}), ChunkWithSize(kInitScriptsSection, 0x80000000, {}),
                 ChunkWithSize(kInitScriptsSection, 0x80000000, {}), ChunkOf(kObjectsSection, ObjectChunk("o", 9))});
  Load load(file);
  ASSERT_TRUE(load.loaded);
  EXPECT_EQ(load.document->InitScripts().Count(), 0);
  EXPECT_EQ(load.document->InitScripts().sectionSize, -6);  // 2^31 + 2^31 - 6, in 32 bits
  EXPECT_EQ(load.document->Objects().Count(), 1);
  EXPECT_EQ(Written(*load.document), SceneFile({ChunkOf(1, {}), ChunkOf(kObjectsSection, ObjectChunk("o", 9))}));
}

TEST(SceneReading, SectionsAreWrittenInTheFixedOrder) {
  const Bytes objects = ChunkOf(kObjectsSection, ObjectChunk("o", 9));
  const Bytes definitions = ChunkOf(kDefinitionsSection, DefinitionChunk("d", 4));
  const Bytes effects = ChunkOf(kVisualEffectsSection, VisualEffectChunk("v"));
  const Bytes scripts = ChunkOf(kInitScriptsSection, InitScriptChunk("i"));
  const Bytes head = ChunkOf(7, {1, 2, 3});
  Load load(SceneFile({head, scripts, effects, definitions, objects}));
  ASSERT_TRUE(load.loaded);
  EXPECT_EQ(Written(*load.document), SceneFile({head, objects, definitions, effects, scripts}));
}

TEST(SceneReading, SectionOfSizeSixOrLessIsReadEmpty) {
  for (const uint32_t size : {6u, 2u, 0xFFFFFFFFu}) {
    SCOPED_TRACE(size);
    Load load(SceneFile(
        {ChunkOf(1, {}), ChunkWithSize(kDefinitionsSection, size, {}), ChunkOf(kObjectsSection, ObjectChunk("o", 9))}));
    ASSERT_TRUE(load.loaded);
    EXPECT_EQ(load.document->Definitions().Count(), 0);
    EXPECT_EQ(load.document->Definitions().sectionSize, static_cast<int32_t>(size));
    EXPECT_EQ(load.document->Objects().Count(), 1);
  }
}

TEST(SceneReading, OneOrTwoBytesAfterTheLastSectionAreNotKept) {
  for (const size_t extra : {1u, 2u}) {
    SCOPED_TRACE(extra);
    const Bytes body = Concat({ChunkOf(1, {}), ChunkOf(kObjectsSection, ObjectChunk("o", 9)), Bytes(extra, 0xEE)});
    const Bytes file = Concat({U16(kRootChunk), U32(static_cast<uint32_t>(body.size() + 6)), body});
    Load load(file);
    ASSERT_TRUE(load.loaded);
    EXPECT_EQ(load.document->FileSize(), static_cast<int32_t>(file.size()));
    // The root size written is the length written.
    EXPECT_EQ(Written(*load.document),
              Bytes(SceneFile({ChunkOf(1, {}), ChunkOf(kObjectsSection, ObjectChunk("o", 9))})));
  }
}

// Failures of the reading steps: the trace, the result and what survives.
struct ReadFailure {
  const char* name;
  Bytes file;
  std::vector<std::string> lastLines;
  int heads;
  int objects;
  int32_t fileSize;
};

class SceneReadingFailure : public testing::TestWithParam<ReadFailure> {};

TEST_P(SceneReadingFailure, TracesTheCauseAndKeepsWhatWasRead) {
  const ReadFailure& failure = GetParam();
  Load load(failure.file);
  EXPECT_FALSE(load.loaded);
  ASSERT_GE(load.lines.size(), failure.lastLines.size());
  EXPECT_EQ(std::vector<std::string>(load.lines.end() - static_cast<long>(failure.lastLines.size()), load.lines.end()),
            failure.lastLines);
  EXPECT_EQ(load.document->Heads().Count(), failure.heads);
  EXPECT_EQ(load.document->Objects().Count(), failure.objects);
  EXPECT_EQ(load.document->FileSize(), failure.fileSize);
  // Whatever was read is saved as a file that loads again.
  Load reloaded(Written(*load.document));
  EXPECT_EQ(reloaded.document->Objects().Count(), failure.objects);
}

const Bytes kOneObject = ObjectChunk("o", 9);
const Bytes kObjects = ChunkOf(kObjectsSection, kOneObject);
const std::string kCantReadHeader = "qScene2bin.ReadFromFile: qScene2bin.ReadFromFile: cant read header";
const std::string kCantReadSection = "qScene2bin.ReadFromFile: qScene2bin.ReadFromFile: cant read section";

INSTANTIATE_TEST_SUITE_P(
    Cases, SceneReadingFailure,
    testing::Values(
        ReadFailure{"LettersInTheOtherOrder",
                    {0x4C, 0x53, 0x0C, 0, 0, 0, 1, 0, 6, 0, 0, 0},
                    {"scene2.bin: incorrect file signature", kCantReadHeader},
                    0,
                    0,
                    0},
        ReadFailure{"EmptyFile", {}, {"scene2.bin: incorrect file signature", kCantReadHeader}, 0, 0, 0},
        ReadFailure{"OneByte", {0x53}, {"scene2.bin: incorrect file signature", kCantReadHeader}, 0, 0, 0},
        ReadFailure{
            "OnlyAHeadChunk",
            SceneFile({ChunkOf(1, {})}),
            {"TqScene2bin.ReadHeadFromStream: 0001 - done", "qScene2bin.ReadHeadFromStream: EOF", kCantReadHeader},
            0,
            0,
            12},
        ReadFailure{"OnlyTheRootHeader",
                    {0x53, 0x4C, 0x06, 0, 0, 0},
                    {"qScene2bin.ReadHeadFromStream: EOF", kCantReadHeader},
                    0,
                    0,
                    6},
        ReadFailure{"RootSizeCutShort",
                    {0x53, 0x4C, 0x06, 0},
                    {"qScene2bin.ReadHeadFromStream: EOF", kCantReadHeader},
                    0,
                    0,
                    6},
        ReadFailure{"UnknownSectionAtOffset40",
                    Concat({U16(kRootChunk), U32(54), ChunkOf(1, Bytes(22, 0)), ChunkOf(kObjectsSection, {}),
                            ChunkOf(kDefinitionChunk, Bytes(8, 0))}),
                    {"qScene2bin.ReadSectionsFromStream BeginOffs: 42",
                     "qScene2bin.ReadSectionsFromStream: Unknown section. offs: 0000002A", kCantReadSection},
                    1,
                    0,
                    54},
        ReadFailure{"HeadChunkSizeBelowHeader",
                    SceneFile({ChunkWithSize(1, 5, {}), kObjects}),
                    {"qScene2bin.ReadChunkFromStream: chunk 0001 at offset 6 has size 5, less than its header",
                     kCantReadHeader},
                    0,
                    0,
                    60},
        ReadFailure{"HeadChunkRunsPastTheFile",
                    Concat({U16(kRootChunk), U32(16), ChunkWithSize(1, 100, {1, 2, 3, 4})}),
                    {"qScene2bin.ReadChunkFromStream: chunk 0001 at offset 6 has size 100 but only 10 bytes are "
                     "left",
                     kCantReadHeader},
                    0,
                    0,
                    16},
        ReadFailure{"RootSizeFarBeyondTheFile",
                    Concat({U16(kRootChunk), U32(63), ChunkOf(1, {}), kObjects}),
                    {"qScene2bin.ReadHeadFromStream: root size 63 exceeds the file's length 60", kCantReadHeader},
                    0,
                    0,
                    63},
        ReadFailure{
            "NegativeRootSize",
            Concat({U16(kRootChunk), U32(0xFFFFFFF0), ChunkOf(1, {}), kObjects}),
            {"qScene2bin.ReadHeadFromStream: root size 4294967280 is above 2147483647, the most a scene can have",
             kCantReadHeader},
            0,
            0,
            -16},
        ReadFailure{"ItemSizeBelowHeader",
                    SceneFile({ChunkOf(1, {}), kObjects, ChunkOf(kObjectsSection, ChunkWithSize(kObjectChunk, 0, {}))}),
                    {"qScene2bin.ReadChunkFromStream: chunk 4010 at offset 66 has size 0, less than its header",
                     kCantReadSection},
                    1,
                    0,
                    72},
        ReadFailure{
            "ItemRunsPastItsSection",
            SceneFile({ChunkOf(1, {}), ChunkOf(kDefinitionsSection, DefinitionChunk("d", 4)),
                       ChunkWithSize(kObjectsSection, 6 + 8, ChunkWithSize(kObjectChunk, 9, {1, 2, 3})), Bytes(1, 0)}),
            {"qScene2bin.ReadChunkFromStream: chunk 4010 at offset 48 has size 9 but only 8 bytes are left",
             kCantReadSection},
            1,
            0,
            58},
        ReadFailure{"SectionRunsPastTheFile",
                    Concat({U16(kRootChunk), U32(38), ChunkOf(1, {}), ChunkWithSize(kObjectsSection, 200, kOneObject)}),
                    {"qScene2bin.ReadSectionsFromStream sectionSize: 200",
                     "qScene2bin.ReadSectionsFromStream: section of size 200 runs past the end of the file. offs: "
                     "0000000E",
                     kCantReadSection},
                    1,
                    0,
                    38},
        ReadFailure{"RootSizeEndsBeforeTheLastSection",
                    Concat({U16(kRootChunk), U32(static_cast<uint32_t>(12 + kObjects.size())), ChunkOf(1, {}), kObjects,
                            ChunkOf(kDefinitionsSection, DefinitionChunk("d", 4))}),
                    {"qScene2bin.ReadSectionsFromStream - done",
                     "qScene2bin.ReadFromFile: offset " + std::to_string(12 + kObjects.size()) + ": " +
                         std::to_string(ChunkOf(kDefinitionsSection, DefinitionChunk("d", 4)).size()) +
                         " bytes after the root's end (a load fails here)"},
                    1,
                    1,
                    static_cast<int32_t>(12 + kObjects.size())},
        ReadFailure{"SectionHeaderCutShort",
                    Concat({U16(kRootChunk), U32(16), ChunkOf(1, {}), U16(kObjectsSection), Bytes(2, 0)}),
                    {"qScene2bin.ReadSectionsFromStream: section header cut short. offs: 0000000E", kCantReadSection},
                    1,
                    0,
                    16}),
    [](const testing::TestParamInfo<ReadFailure>& instance) { return std::string(instance.param.name); });

TEST(SceneReading, FailedSectionEmptiesItsListAndKeepsEarlierSections) {
  // The second objects section is broken: the first one's chunks go with it,
  // the definitions read before stay.
  Load load(SceneFile({ChunkOf(1, {}), ChunkOf(kObjectsSection, ObjectChunk("a", 9)),
                       ChunkOf(kDefinitionsSection, DefinitionChunk("d", 4)),
                       ChunkOf(kObjectsSection, ChunkWithSize(kObjectChunk, 3, {}))}));
  EXPECT_FALSE(load.loaded);
  EXPECT_EQ(load.document->Objects().Count(), 0);
  EXPECT_EQ(load.document->Objects().sectionSize, 0);
  EXPECT_EQ(load.document->Definitions().Count(), 1);
  EXPECT_EQ(load.document->Heads().Count(), 1);
}

TEST(SceneReading, ReadChunkFromStreamHoldsTheWholeChunk) {
  auto file = StreamOf(Concat({ChunkWithSize(0x1234, 10, {1, 2, 3, 4}), Bytes(5, 0)}));
  uint16_t type = 0;
  uint32_t size = 0;
  auto chunk = ReadChunkFromStream(*file, type, size, file->Size());
  EXPECT_EQ(type, 0x1234);
  EXPECT_EQ(size, 10u);
  EXPECT_EQ(BytesOf(*chunk), ChunkWithSize(0x1234, 10, {1, 2, 3, 4}));
  EXPECT_EQ(file->Position(), 10);
}

TEST(SceneWriting, EmptyDocumentWritesALoadableFileOfTheRightSize) {
  TraceCollector trace;
  TestUi ui;
  const auto scene2bin = NewScene2bin(ui);
  SceneDocument& document = scene2bin->Core();
  EXPECT_EQ(Written(document), Concat({U16(kRootChunk), U32(12), U16(kObjectsSection), U32(6)}));
}

TEST(SceneWriting, SectionsEmptiedByDeletionAreLeftOutAndTheRootSizeFollows) {
  LoadedScene scene(SceneFile({ChunkOf(1, {}), ChunkOf(kObjectsSection, ObjectChunk("a", 9)),
                               ChunkOf(kDefinitionsSection, DefinitionChunk("d", 4))}));
  ASSERT_TRUE(scene.loaded);
  ChunkRef definition = RefAt(scene.document->Definitions(), 0);
  scene.scene2bin->DeleteDNC(definition);
  EXPECT_EQ(scene.document->Definitions().sectionSize, 6);
  EXPECT_EQ(Written(*scene.document), SceneFile({ChunkOf(1, {}), ChunkOf(kObjectsSection, ObjectChunk("a", 9))}));

  ChunkRef object = RefAt(scene.document->Objects(), 0);
  scene.scene2bin->DeleteDNC(object);
  EXPECT_EQ(Written(*scene.document), SceneFile({ChunkOf(1, {}), ChunkOf(kObjectsSection, {})}));
}

}  // namespace

// Deleting, replacing and renaming chunks with their sizes kept in step.

#include <gtest/gtest.h>

#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "scene/Exception.h"
#include "scene/Windows1251.h"
#include "tests/SceneTestSupport.h"

namespace {

const char kNamesCoincide[] = "\xD1\xEE\xE2\xEF\xE0\xE4\xE5\xED\xE8\xE5 \xE8\xEC\xB8\xED.";
const char kIncorrectData[] = "\xCD\xE5\xEA\xEE\xF0\xF0\xE5\xEA\xF2\xED\xFB\xE5 \xE4\xE0\xED\xED\xFB\xE5.";
const char kIncorrectCall[] = "\xCD\xE5\xEA\xEE\xF0\xF0\xE5\xEA\xF2\xED\xFB\xE9 \xE2\xFB\xE7\xEE\xE2. OldChunk = NULL";
const char kNoData[] = "\xC4\xE0\xED\xED\xFB\xE5 \xED\xE5 \xE2\xE2\xE5\xE4\xE5\xED\xFB.";
// The trace has the messages in Windows-1251, a box in UTF-8.
std::string Boxed(const char* traced) { return Utf8FromWindows1251(traced); }

std::string Dump(const Bytes& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string text;
  for (uint8_t byte : bytes) text += {digits[byte >> 4], digits[byte & 15], ' '};
  return text;
}

// A scene of five objects (one named like a definition), two definitions, one
// init script and one visual effect, with the trace collected.
class Editing : public testing::Test {
 protected:
  Editing()
      : scene(SceneFile(
            {ChunkOf(1, {}),
             ChunkOf(kObjectsSection, Concat({ObjectChunk("crate", 9), ObjectChunk("horn", 4), ObjectChunk("door1", 9),
                                              ObjectChunk("lamp", 2), ObjectChunk("tree", 9)})),
             ChunkOf(kDefinitionsSection, Concat({DefinitionChunk("door1", 6), DefinitionChunk("car1", 4)})),
             ChunkOf(kInitScriptsSection, InitScriptChunk("start")),
             ChunkOf(kVisualEffectsSection, VisualEffectChunk("fog"))})) {}

  SceneDocument& document() { return *scene.document; }
  TqScene2bin& scene2bin() { return *scene.scene2bin; }
  int32_t FileSizeNow() { return document().FileSize(); }
  std::vector<std::string> ObjectNames() {
    std::vector<std::string> names;
    for (const ChunkEntry& entry : document().Objects().Entries()) names.push_back(GetChunkName(entry.chunk.Bytes()));
    return names;
  }
  // What is written loads again to the same bytes.
  void ExpectConsistent() {
    const Bytes written = Written(document());
    LoadedScene reloaded(written);
    EXPECT_TRUE(reloaded.loaded);
    EXPECT_EQ(Written(*reloaded.document), written);
  }

  LoadedScene scene;
  TraceCollector trace;
};

TEST_F(Editing, DeleteRemovesTheChunkAndShrinksTheSizes) {
  ASSERT_TRUE(scene.loaded);
  const int32_t fileSize = FileSizeNow();
  const int32_t sectionSize = document().Objects().sectionSize;
  ChunkRef chunk = RefAt(document().Objects(), 3);
  ChunkRef behind = RefAt(document().Objects(), 4);
  const auto length = static_cast<int32_t>(chunk->Length());
  EXPECT_EQ(scene2bin().DeleteDNC(chunk), 3);
  EXPECT_EQ(chunk, nullptr);
  EXPECT_EQ(RefAt(document().Objects(), 3).id, behind.id);
  EXPECT_EQ(ObjectNames(), (std::vector<std::string>{"crate", "horn", "door1", "tree"}));
  EXPECT_EQ(document().Objects().sectionSize, sectionSize - length);
  EXPECT_EQ(FileSizeNow(), fileSize - length);
  EXPECT_EQ(static_cast<int64_t>(Written(document()).size()), FileSizeNow());
  EXPECT_TRUE(trace.TakeLines().empty());
  ExpectConsistent();
}

TEST_F(Editing, DeletingTheOnlyChunkLeavesSectionSizeSix) {
  ChunkRef effect = RefAt(document().VisualEffects(), 0);
  scene2bin().DeleteDNC(effect);
  EXPECT_EQ(document().VisualEffects().sectionSize, 6);
  // The kept file size still counts the empty section, which is not written.
  EXPECT_EQ(static_cast<int64_t>(Written(document()).size()), FileSizeNow() - 6);
  ExpectConsistent();
}

TEST_F(Editing, DeleteRefusesChunksItsListDoesNotHold) {
  const int32_t fileSize = FileSizeNow();
  const auto failure = [&](ChunkRef chunk) {
    try {
      scene2bin().DeleteDNC(chunk);
    } catch (const Exception& error) {
      return std::to_string(error.ErrorCode) + " " + error.Message;
    }
    return std::string("no error");
  };
  const ChunkRef stray = LooseChunk(ObjectChunk("crate", 9));
  ChunkRef deleted = RefAt(document().Objects(), 4);
  const ChunkRef gone = deleted;
  scene2bin().DeleteDNC(deleted);
  EXPECT_EQ(failure(stray), "1 qScene2bin.DeleteDNC( const Chunk: PStream ): integer; incorrect param.");
  EXPECT_EQ(failure(gone), "1 qScene2bin.DeleteDNC( const Chunk: PStream ): integer; incorrect param.");
  EXPECT_EQ(failure(nullptr), "1 qScene2bin.DeleteDNC( const Chunk: PStream ): integer; incorrect param.");
  EXPECT_EQ(failure(LooseChunk(ChunkOf(0x1234, {}))), "0 qScene2bin.SectionListByChunkID: incorrect param SectionID");
  // A definition chunk that sits in the objects list is looked for in the definitions.
  LoadedScene misplaced(SceneFile({ChunkOf(1, {}), ChunkOf(kObjectsSection, DefinitionChunk("d", 1))}));
  ChunkRef definition = RefAt(misplaced.document->Objects(), 0);
  EXPECT_THROW(misplaced.scene2bin->DeleteDNC(definition), Exception);
  EXPECT_EQ(misplaced.document->Objects().Count(), 1);
  EXPECT_EQ(FileSizeNow(), fileSize - static_cast<int32_t>(gone->Length()));
  EXPECT_EQ(document().Objects().Count(), 4);
}

TEST_F(Editing, RenameRebuildsTheNameSubChunkAndGrowsTheSizes) {
  scene.ui.answers = {"longname"};
  const int32_t fileSize = FileSizeNow();
  const int32_t sectionSize = document().Objects().sectionSize;
  ChunkRef chunk = RefAt(document().Objects(), 0);
  const Bytes before = BytesOf(chunk.Bytes());
  std::string newName;
  ASSERT_TRUE(scene2bin().RenameChunk(chunk, newName));
  EXPECT_EQ(newName, "longname");
  EXPECT_EQ(chunk.id, RefAt(document().Objects(), 0).id);
  EXPECT_TRUE(chunk.chunk == RefAt(document().Objects(), 0).chunk);
  // "crate" plus a zero byte (size 12) becomes eight bytes without one (size 14).
  const Bytes after = Concat({U16(kObjectChunk), U32(static_cast<uint32_t>(before.size() + 2)),
                              ChunkOf(kObjectNameChunk, Text("longname")), Bytes(before.begin() + 18, before.end())});
  EXPECT_EQ(BytesOf(chunk.Bytes()), after);
  EXPECT_EQ(document().Objects().sectionSize, sectionSize + 2);
  EXPECT_EQ(FileSizeNow(), fileSize + 2);
  EXPECT_EQ(scene.ui.prompts, (std::vector<std::string>{"Rename|crate"}));
  EXPECT_EQ(trace.TakeLines(), (std::vector<std::string>{"OLD", Dump(before), "NEW", Dump(after)}));
  ExpectConsistent();
}

TEST_F(Editing, RenameKeepsSubChunksBeforeAndAfterTheName) {
  ChunkRef definition = RefAt(document().Definitions(), 0);
  const Bytes before = BytesOf(definition.Bytes());
  scene.ui.answers = {"d"};
  std::string newName;
  ASSERT_TRUE(scene2bin().RenameChunk(definition, newName));
  EXPECT_EQ(BytesOf(definition.Bytes()),
            Concat({U16(kDefinitionChunk), U32(16 + 7), Bytes(before.begin() + 6, before.begin() + 16),
                    ChunkOf(kDefinitionNameChunk, Text("d"))}));
  EXPECT_EQ(GetDefinitionType(definition.Bytes()), 6u);
  ExpectConsistent();
}

TEST_F(Editing, RenameToTheSameNameStillRebuilds) {
  scene.ui.answers = {"horn"};
  ChunkRef chunk = RefAt(document().Objects(), 1);
  const ChunkRef old = chunk;
  std::string newName;
  ASSERT_TRUE(scene2bin().RenameChunk(chunk, newName));
  EXPECT_EQ(chunk.id, old.id) << "a chunk keeps its identity";
  EXPECT_FALSE(chunk.chunk == old.chunk);
  EXPECT_EQ(newName, "horn");
  EXPECT_EQ(trace.TakeLines().size(), 4u);
}

TEST_F(Editing, RenameRefusesANameAnotherChunkOfTheListHasAndAsksAgainWithIt) {
  const int32_t fileSize = FileSizeNow();
  ChunkRef chunk = RefAt(document().Objects(), 0);
  const Bytes before = BytesOf(chunk.Bytes());
  const std::string name = GetChunkName(chunk.Bytes());
  scene.ui.answers = {"horn"};  // then cancelled
  std::string newName = "x";
  EXPECT_FALSE(scene2bin().RenameChunk(chunk, newName));
  EXPECT_EQ(newName, "");
  EXPECT_EQ(scene.ui.prompts, (std::vector<std::string>{"Rename|" + name, "Rename|horn"}))
      << "asked again, offering the name typed";
  EXPECT_TRUE(chunk.chunk == RefAt(document().Objects(), 0).chunk);
  EXPECT_EQ(BytesOf(chunk.Bytes()), before);
  EXPECT_EQ(scene.ui.messages, (std::vector<std::string>{Boxed(kNamesCoincide)}));
  EXPECT_EQ(trace.TakeLines(), (std::vector<std::string>{
                                   "OLD", Dump(before), std::string("qScene2bin.ReplaceChunkData: ") + kNamesCoincide,
                                   "qScene2bin.RenameChunk: qScene2bin.RenameChunk: newName=Null"}));
  EXPECT_EQ(FileSizeNow(), fileSize);

  scene.ui.answers = {"horn", "horn2"};
  EXPECT_TRUE(scene2bin().RenameChunk(chunk, newName)) << "the name mended";
  EXPECT_EQ(newName, "horn2");
  EXPECT_EQ(ObjectNames()[0], "horn2");
}

TEST_F(Editing, RenameComparesNamesByteForByteWithinTheOneList) {
  scene.ui.answers = {"Horn", "car1"};
  ChunkRef chunk = RefAt(document().Objects(), 0);
  std::string newName;
  EXPECT_TRUE(scene2bin().RenameChunk(chunk, newName)) << "differs in case only";
  EXPECT_TRUE(scene2bin().RenameChunk(chunk, newName)) << "a definition's name";
  EXPECT_EQ(ObjectNames()[0], "car1");
}

TEST_F(Editing, RenameRefusesWithoutAskingWhenThereIsNoNameSubChunk) {
  const auto refused = [&](ChunkRef chunk) {
    std::string newName = "x";
    EXPECT_FALSE(scene2bin().RenameChunk(chunk, newName));
    EXPECT_EQ(newName, "");
    const auto lines = trace.TakeLines();
    return lines.size() == 1 ? lines[0] : "unexpected trace";
  };
  EXPECT_EQ(refused(RefAt(document().InitScripts(), 0)),
            "qScene2bin.RenameChunk: GetChunkNameOffsSize: unk chunk type");
  EXPECT_EQ(refused(RefAt(document().VisualEffects(), 0)),
            "qScene2bin.RenameChunk: GetChunkNameOffsSize: unk chunk type");
  LoadedScene nameless(
      SceneFile({ChunkOf(1, {}), ChunkOf(kObjectsSection, ChunkOf(kObjectChunk, ChunkOf(kObjectTypeChunk, U32(9))))}));
  trace.TakeLines();
  EXPECT_EQ(refused(RefAt(nameless.document->Objects(), 0)), "qScene2bin.RenameChunk: GetChunkNameOffsSize: NAME=NULL");
  EXPECT_TRUE(scene.ui.prompts.empty());
  EXPECT_TRUE(nameless.ui.prompts.empty());
}

TEST_F(Editing, CancelledRenameChangesNothing) {
  ChunkRef chunk = RefAt(document().Objects(), 0);
  const ChunkRef old = chunk;
  std::string newName = "x";
  EXPECT_FALSE(scene2bin().RenameChunk(chunk, newName));
  EXPECT_TRUE(chunk.chunk == old.chunk);
  EXPECT_EQ(newName, "");
  EXPECT_EQ(trace.TakeLines(),
            (std::vector<std::string>{"qScene2bin.RenameChunk: qScene2bin.RenameChunk: newName=Null"}));
}

TEST_F(Editing, RenameOfANameThatRunsPastTheChunkEnd) {
  // The name sub-chunk claims more bytes than the chunk has: nothing follows it.
  const Bytes broken =
      ChunkOf(kObjectChunk, Concat({ChunkOf(kObjectTypeChunk, U32(4)), U16(kObjectNameChunk), U32(500), Text("ab")}));
  LoadedScene odd(SceneFile({ChunkOf(1, {}), ChunkOf(kObjectsSection, broken)}));
  ASSERT_TRUE(odd.loaded);
  odd.ui.answers = {"new"};
  ChunkRef chunk = RefAt(odd.document->Objects(), 0);
  std::string newName;
  ASSERT_TRUE(odd.scene2bin->RenameChunk(chunk, newName));
  EXPECT_EQ(BytesOf(chunk.Bytes()),
            ChunkOf(kObjectChunk, Concat({ChunkOf(kObjectTypeChunk, U32(4)), ChunkOf(kObjectNameChunk, Text("new"))})));
  EXPECT_EQ(static_cast<int64_t>(Written(*odd.document).size()), odd.document->FileSize());
}

// The chunk at `index` of the objects with its name sub-chunk holding `name`.
ChunkReplacement Renamed(const SceneDocument& document, int32_t index, const std::string& name) {
  const ChunkRef chunk = RefAt(document.Objects(), index);
  const std::optional<NameSubChunk> place = FindNameSubChunk(chunk.Bytes());
  return {chunk.id, RebuildWithName(chunk.Bytes(), place->offset, place->size, name)};
}

TEST_F(Editing, ReplaceChunksIsOneEditThatNamesMayPassThrough) {
  const int32_t fileSize = FileSizeNow();
  const Bytes before = Written(document());
  const size_t treeLength = RefAt(document().Objects(), 4)->Length();
  // "crate" and "horn" trade names, "tree" is renamed; each new name goes
  // without the zero byte that the old one had: -2, 0 and +2 bytes.
  const ChunkReplacement batch[] = {Renamed(document(), 0, "horn"), Renamed(document(), 1, "crate"),
                                    Renamed(document(), 4, "treetop")};
  const Outcome<size_t> replaced = document().ReplaceChunks(batch, "name of 3 chunks");
  ASSERT_TRUE(replaced.ok()) << replaced.failure().message;
  EXPECT_EQ(replaced.value(), 3u);
  EXPECT_EQ(ObjectNames(), (std::vector<std::string>{"horn", "crate", "door1", "lamp", "treetop"}));
  EXPECT_EQ(FileSizeNow(), fileSize);
  EXPECT_EQ(RefAt(document().Objects(), 4)->Length(), treeLength + 2);
  EXPECT_EQ(document().NextUndo(), "name of 3 chunks");
  ExpectConsistent();
  ASSERT_TRUE(document().Undo());
  EXPECT_EQ(Written(document()), before);
  EXPECT_FALSE(document().CanUndo());
}

TEST_F(Editing, ReplaceChunksRefusesTheWholeBatchForOneChunk) {
  const Bytes before = Written(document());
  const struct {
    const char* what;
    std::vector<ChunkReplacement> batch;
    SceneFault fault;
  } cases[] = {
      {"a name that a chunk outside the batch holds",
       {Renamed(document(), 0, "box"), Renamed(document(), 1, "lamp")},
       SceneFault::NameTaken},
      {"two chunks given one name",
       {Renamed(document(), 0, "box"), Renamed(document(), 1, "box")},
       SceneFault::NameTaken},
      {"a chunk twice", {Renamed(document(), 0, "box"), Renamed(document(), 0, "bin")}, SceneFault::NotInDocument},
      {"a chunk of no list",
       {Renamed(document(), 0, "box"), {9999, Renamed(document(), 1, "x").rebuilt}},
       SceneFault::NotInDocument},
  };
  for (const auto& refused : cases) {
    SCOPED_TRACE(refused.what);
    // As one batch, then each chunk checked into a batch of its own, as
    // threads check theirs: what spans them is checked as they are taken.
    std::vector<ReplacementBatch> apart(refused.batch.size());
    for (size_t at = 0; at < apart.size(); ++at)
      document().CheckReplacement(apart[at], refused.batch[at].id, refused.batch[at].rebuilt);
    for (const Outcome<size_t>& replaced :
         {document().ReplaceChunks(refused.batch, "name"), document().ReplaceChunks(apart, "name")}) {
      ASSERT_FALSE(replaced.ok());
      EXPECT_EQ(replaced.failure().fault, refused.fault);
      EXPECT_EQ(Written(document()), before);
      EXPECT_FALSE(document().CanUndo());
    }
  }
}

TEST_F(Editing, ReplaceRefusalsAndWhatBecomesOfTheNewChunk) {
  const int32_t fileSize = FileSizeNow();
  ChunkRef object = RefAt(document().Objects(), 0);
  std::string newName = "x";

  EXPECT_FALSE(scene2bin().ReplaceChunkData(object, nullptr, newName));
  EXPECT_EQ(newName, "");
  EXPECT_EQ(trace.TakeLines(), (std::vector<std::string>{std::string("qScene2bin.ReplaceChunkData: ") + kNoData}));

  // A definition for an object: refused after the OLD dump.
  EXPECT_FALSE(scene2bin().ReplaceChunkData(object, LooseChunk(DefinitionChunk("d", 1)), newName));
  auto lines = trace.TakeLines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2], std::string("qScene2bin.ReplaceChunkData: ") + kIncorrectData);

  // An old chunk that no list holds.
  ChunkRef stray = LooseChunk(ObjectChunk("stray", 9));
  EXPECT_FALSE(scene2bin().ReplaceChunkData(stray, LooseChunk(ObjectChunk("n", 9)), newName));
  EXPECT_EQ(trace.TakeLines().back(), std::string("qScene2bin.ReplaceChunkData: ") + kIncorrectCall);
  ChunkRef none = nullptr;
  EXPECT_FALSE(scene2bin().ReplaceChunkData(none, LooseChunk(ObjectChunk("n", 9)), newName));
  EXPECT_EQ(trace.TakeLines(),
            (std::vector<std::string>{std::string("qScene2bin.ReplaceChunkData: ") + kIncorrectCall}));

  EXPECT_EQ(scene.ui.messages, (std::vector<std::string>{Boxed(kNoData), Boxed(kIncorrectData), Boxed(kIncorrectCall),
                                                         Boxed(kIncorrectCall)}));
  EXPECT_EQ(FileSizeNow(), fileSize);
  EXPECT_TRUE(RefAt(document().Objects(), 0).chunk == object.chunk);
}

TEST_F(Editing, ReplaceTakesBytesThatAnotherChunkShares) {
  // Bytes never change, so two chunks may share them; only the name rule holds.
  ChunkRef first = RefAt(document().Objects(), 0);
  std::string newName;
  EXPECT_FALSE(scene2bin().ReplaceChunkData(first, RefAt(document().Objects(), 1), newName));
  EXPECT_EQ(scene.ui.messages, (std::vector<std::string>{Boxed(kNamesCoincide)}));
  EXPECT_TRUE(scene2bin().ReplaceChunkData(first, first, newName));
  ChunkRef deleted = RefAt(document().Objects(), 4);
  const ChunkRef gone = deleted;
  scene2bin().DeleteDNC(deleted);
  EXPECT_TRUE(scene2bin().ReplaceChunkData(first, gone, newName));
  EXPECT_EQ(ObjectNames(), (std::vector<std::string>{"tree", "horn", "door1", "lamp"}));
  ExpectConsistent();
}

TEST_F(Editing, ReplaceFindsOnlyTheFirstChunkOfAName) {
  // Two objects named "twin": renaming the second to its own name collides with the first.
  LoadedScene twins(
      SceneFile({ChunkOf(1, {}), ChunkOf(kObjectsSection, Concat({ObjectChunk("twin", 9), ObjectChunk("twin", 9)}))}));
  twins.ui.answers = {"twin", "", "twin"};  // refused, then cancelled
  std::string newName;
  ChunkRef second = RefAt(twins.document->Objects(), 1);
  EXPECT_FALSE(twins.scene2bin->RenameChunk(second, newName));
  ChunkRef first = RefAt(twins.document->Objects(), 0);
  EXPECT_TRUE(twins.scene2bin->RenameChunk(first, newName));
}

}  // namespace

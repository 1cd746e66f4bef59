// Every edit of a document can be taken back and done again, byte for byte,
// and the document knows whether it differs from what was loaded or saved.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "tests/SceneTestSupport.h"

namespace {

using Lines = std::vector<std::string>;

class History : public testing::Test {
 protected:
  History()
      : scene(SceneFile({ChunkOf(1, {}),
                         ChunkOf(kObjectsSection,
                                 Concat({ObjectChunk("crate", 9), ObjectChunk("horn", 4), ObjectChunk("lamp", 2)})),
                         ChunkOf(kDefinitionsSection, DefinitionChunk("door1", 6)),
                         ChunkOf(kInitScriptsSection, InitScriptChunk("start"))})) {}

  SceneDocument& document() { return *scene.document; }
  TqScene2bin& scene2bin() { return *scene.scene2bin; }
  ChunkRef Object(int32_t index) { return RefAt(document().Objects(), index); }
  // The identities of a list in order.
  std::vector<ChunkId> Ids(const ChunkList& list) {
    std::vector<ChunkId> ids;
    for (const ChunkEntry& entry : list.Entries()) ids.push_back(entry.id);
    return ids;
  }

  // Runs the edit, then undo, redo and undo again: the bytes written and
  // the identities are those before and after, each time, and so are the
  // sizes that the document keeps.
  void ExpectTakenBackAndDoneAgain(const std::function<void()>& edit) {
    ASSERT_TRUE(scene.loaded);
    const Bytes before = Written(document());
    const std::vector<ChunkId> idsBefore = Ids(document().Objects());
    const int32_t sizeBefore = document().FileSize();
    EXPECT_FALSE(document().Modified());
    edit();
    const Bytes after = Written(document());
    const std::vector<ChunkId> idsAfter = Ids(document().Objects());
    const int32_t sizeAfter = document().FileSize();
    ASSERT_NE(after, before) << "the edit changed nothing";
    EXPECT_TRUE(document().Modified());
    EXPECT_TRUE(document().CanUndo());
    EXPECT_FALSE(document().CanRedo());
    trace.TakeLines();

    ASSERT_TRUE(document().Undo());
    EXPECT_EQ(Written(document()), before);
    EXPECT_EQ(Ids(document().Objects()), idsBefore);
    EXPECT_EQ(document().FileSize(), sizeBefore);
    EXPECT_FALSE(document().Modified()) << "back where it was loaded";
    EXPECT_FALSE(document().CanUndo());
    ASSERT_TRUE(document().Redo());
    EXPECT_EQ(Written(document()), after);
    EXPECT_EQ(Ids(document().Objects()), idsAfter);
    EXPECT_EQ(document().FileSize(), sizeAfter);
    EXPECT_TRUE(document().Modified());
    EXPECT_FALSE(document().Redo());
    ASSERT_TRUE(document().Undo());
    EXPECT_EQ(Written(document()), before);
    const Lines lines = trace.TakeLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(lines[0].starts_with("qScene2bin.Undo: ")) << lines[0];
    EXPECT_EQ(lines[1], "qScene2bin.Redo: " + lines[0].substr(17));
  }

  LoadedScene scene;
  TraceCollector trace;
};

TEST_F(History, DeleteOfSeveralChunksIsOneEdit) {
  ExpectTakenBackAndDoneAgain([this] {
    const ChunkId ids[] = {Object(0).id, Object(2).id, document().Definitions().At(0)->id};
    EXPECT_EQ(document().DeleteChunks(ids), 3u);
  });
  EXPECT_EQ(trace.TakeLines(), Lines{});
  document().Redo();
  EXPECT_EQ(trace.TakeLines(), (Lines{"qScene2bin.Redo: delete of 3 chunks"}));
}

TEST_F(History, DeleteOfEveryChunkLeavesNoSectionAndComesBackWhole) {
  ExpectTakenBackAndDoneAgain([this] {
    std::vector<ChunkId> ids;
    for (const ChunkList* list : {&document().Objects(), &document().Definitions(), &document().InitScripts()})
      for (const ChunkEntry& entry : list->Entries()) ids.push_back(entry.id);
    EXPECT_EQ(document().DeleteChunks(ids), 5u);
  });
}

TEST_F(History, RenameAndReplaceKeepTheIdentity) {
  scene.ui.answers = {"a much longer name"};
  const ChunkId horn = Object(1).id;
  ExpectTakenBackAndDoneAgain([this] {
    ChunkRef chunk = Object(1);
    std::string newName;
    ASSERT_TRUE(scene2bin().RenameChunk(chunk, newName));
  });
  EXPECT_EQ(GetChunkName(document().Get(horn).Bytes()), "horn");
  ExpectTakenBackAndDoneAgain([this] {
    ChunkRef chunk = Object(2);
    std::string newName;
    ASSERT_TRUE(scene2bin().ReplaceChunkData(chunk, LooseChunk(ObjectChunk("sun", 2)), newName));
  });
}

TEST_F(History, AddAndImportTakeBackTheChunksTheyBroughtAndTheSectionHeader) {
  ExpectTakenBackAndDoneAgain([this] {
    std::string name;
    EXPECT_NE(scene2bin().AddChunk(LooseChunk(VisualEffectChunk("fog")).chunk, name), nullptr);
  });
  ExpectTakenBackAndDoneAgain([this] {
    std::vector<Chunk> chunks;
    for (const Bytes& bytes : {ObjectChunk("horn", 7), ObjectChunk("new", 9), VisualEffectChunk("fog")})
      chunks.push_back(LooseChunk(bytes).chunk);
    const ImportTally tally = scene2bin().ImportDNC(std::move(chunks));
    EXPECT_EQ(tally.replaced, 1);
    EXPECT_EQ(tally.added, 2);
  });
}

TEST_F(History, IdentitiesAreNeverGivenTwice) {
  const ChunkId lamp = Object(2).id;
  const ChunkId ids[] = {lamp};
  document().DeleteChunks(ids);
  std::string name;
  const ChunkRef added = scene2bin().AddChunk(LooseChunk(ObjectChunk("lamp", 2)).chunk, name);
  EXPECT_GT(added.id, lamp);
  EXPECT_EQ(document().Get(lamp), nullptr);
  document().Undo();
  document().Undo();
  EXPECT_EQ(GetChunkName(document().Get(lamp).Bytes()), "lamp") << "the deleted chunk is back under its identity";
  EXPECT_EQ(document().Get(added.id), nullptr);
}

TEST_F(History, ANewEditDropsWhatCouldHaveBeenRedone) {
  const ChunkId first[] = {Object(0).id};
  document().DeleteChunks(first);
  document().Undo();
  const ChunkId second[] = {Object(1).id};
  document().DeleteChunks(second);
  EXPECT_FALSE(document().CanRedo());
  EXPECT_FALSE(document().Redo());
  document().Undo();
  EXPECT_FALSE(document().CanUndo());
  EXPECT_EQ(document().Objects().Count(), 3);
}

TEST_F(History, ASaveIsTheNewPointOfNoDifferenceAndALoadStartsAfresh) {
  ScratchFolder folder;
  const ChunkId crate[] = {Object(0).id};
  document().DeleteChunks(crate);
  ASSERT_TRUE(document().Save(folder.Path("saved.bin")).ok());
  EXPECT_FALSE(document().Modified());
  EXPECT_TRUE(document().CanUndo()) << "a save keeps the history";
  document().Undo();
  EXPECT_TRUE(document().Modified()) << "the saved file lacks the crate";
  document().Redo();
  EXPECT_FALSE(document().Modified());
  // A save that fails changes nothing of it.
  document().Undo();
  EXPECT_FALSE(document().Save(folder.Path("no such folder/x.bin")).ok());
  EXPECT_TRUE(document().Modified());
  // A state that the saved one was dropped from is never "saved" again.
  const ChunkId horn[] = {Object(1).id};
  document().DeleteChunks(horn);
  document().Undo();
  EXPECT_TRUE(document().Modified());

  ASSERT_TRUE(document().Load(folder.Path("saved.bin")).ok());
  EXPECT_FALSE(document().Modified());
  EXPECT_FALSE(document().CanUndo());
  EXPECT_FALSE(document().CanRedo());
}

TEST_F(History, RefusedEditsAreNoEntries) {
  ChunkRef chunk = Object(0);
  std::string newName;
  scene.ui.answers = {"horn"};
  EXPECT_FALSE(scene2bin().RenameChunk(chunk, newName));
  EXPECT_EQ(scene2bin().AddChunk(LooseChunk(ObjectChunk("lamp", 2)).chunk, newName), nullptr);
  const ChunkId none[] = {0, 12345};
  EXPECT_EQ(document().DeleteChunks(none), 0u);
  EXPECT_FALSE(document().CanUndo());
  EXPECT_FALSE(document().Modified());
}

TEST_F(History, EachStepSaysWhichChunksWentCameOrChangedAndWhere) {
  using Listed = std::vector<std::pair<ChunkId, int32_t>>;
  const auto listed = [](const auto& chunks) {
    Listed pairs;
    for (const DocumentChange::ListedChunk& chunk : chunks) pairs.emplace_back(chunk.id, chunk.index);
    return pairs;
  };
  const auto section = [this](uint16_t itemType) -> const DocumentChange::Section& {
    return document().LastChange().sections[SectionIndex(*SectionOfItemType(itemType))];
  };
  const std::vector<ChunkId> objects = Ids(document().Objects());  // crate, horn, lamp
  const ChunkId door1 = document().Definitions().At(0)->id;
  EXPECT_EQ(document().LastChange().step, DocumentChange::Step::None);

  document().DeleteChunks(std::vector<ChunkId>{objects[2], objects[0], door1});
  EXPECT_EQ(document().LastChange().step, DocumentChange::Step::Done);
  EXPECT_EQ(listed(section(kObjectChunk).removed), (Listed{{objects[0], 0}, {objects[2], 2}}));
  EXPECT_EQ(listed(section(kDefinitionChunk).removed), (Listed{{door1, 0}}));
  EXPECT_TRUE(section(kObjectChunk).added.empty());
  EXPECT_TRUE(section(kInitScriptChunk).removed.empty());
  ASSERT_TRUE(document().Undo());
  EXPECT_EQ(document().LastChange().step, DocumentChange::Step::Undone);
  EXPECT_EQ(listed(section(kObjectChunk).added), (Listed{{objects[0], 0}, {objects[2], 2}}));
  EXPECT_TRUE(section(kObjectChunk).removed.empty());
  ASSERT_TRUE(document().Redo());
  EXPECT_EQ(document().LastChange().step, DocumentChange::Step::Redone);
  EXPECT_EQ(listed(section(kObjectChunk).removed), (Listed{{objects[0], 0}, {objects[2], 2}}));
  ASSERT_TRUE(document().Undo());

  // Bytes replaced in place and chunks appended; an undo takes the appended
  // ones off the end.
  std::vector<Chunk> chunks;
  for (const Bytes& bytes : {ObjectChunk("lamp", 9), ObjectChunk("barrel", 9), ObjectChunk("crate", 4)})
    chunks.push_back(Chunk::CopyOf(ViewOf(bytes)));
  const ImportTally tally = scene2bin().ImportDNC(std::move(chunks));
  ASSERT_EQ(tally.chunks.size(), 3u);
  EXPECT_EQ(listed(section(kObjectChunk).replaced), (Listed{{objects[2], 2}, {objects[0], 0}})) << "in their order";
  EXPECT_EQ(listed(section(kObjectChunk).added), (Listed{{tally.chunks[1], 3}}));
  ASSERT_TRUE(document().Undo());
  EXPECT_EQ(listed(section(kObjectChunk).replaced), (Listed{{objects[2], 2}, {objects[0], 0}}));
  EXPECT_EQ(listed(section(kObjectChunk).removed), (Listed{{tally.chunks[1], 3}}));
  EXPECT_TRUE(section(kObjectChunk).added.empty());

  document().clear();
  EXPECT_EQ(document().LastChange().step, DocumentChange::Step::None);
  EXPECT_TRUE(section(kObjectChunk).replaced.empty());
}

}  // namespace

// The scene document: its life, its accessors, and loading and saving files.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "os/FileSystem.h"
#include "scene/ChunkTypes.h"
#include "scene/Exception.h"
#include "scene/FileStream.h"
#include "tests/SceneTestSupport.h"

namespace {

const Bytes kScene = SceneFile(
    {ChunkOf(1, {}), ChunkOf(kObjectsSection, Concat({ObjectChunk("a", 9), ObjectChunk("b", 4)})),
     ChunkOf(kDefinitionsSection, DefinitionChunk("d", 6)), ChunkOf(kVisualEffectsSection, VisualEffectChunk("v")),
     ChunkOf(kInitScriptsSection, InitScriptChunk("i"))});

TEST(SceneDocument, NewAndClearedDocumentsDifferInSectionSizes) {
  TraceCollector trace;
  TestUi ui;
  auto scene2bin = NewScene2bin(ui);
  SceneDocument& document = scene2bin->Core();
  EXPECT_EQ(ui.created, (std::vector<std::string>{"string"}));
  EXPECT_EQ(document.FileSize(), 0);
  EXPECT_EQ(document.Heads().sectionSize, 0);
  for (const ChunkList* list :
       {&document.Objects(), &document.Definitions(), &document.InitScripts(), &document.VisualEffects()})
    EXPECT_EQ(list->sectionSize, 6);
  EXPECT_TRUE(trace.TakeLines().empty());

  auto file = StreamOf(kScene);
  ASSERT_TRUE(document.Load(*file).ok());
  trace.TakeLines();
  document.clear();
  EXPECT_EQ(trace.TakeLines(), (std::vector<std::string>{"* qScene2bin.clear done *"}));
  EXPECT_EQ(document.FileSize(), 0);
  for (const ChunkList* list : {&document.Heads(), &document.Objects(), &document.Definitions(),
                                &document.InitScripts(), &document.VisualEffects()}) {
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(list->sectionSize, 0);
  }
  scene2bin.reset();
  EXPECT_EQ(trace.TakeLines(), (std::vector<std::string>{"* qScene2bin.clear done *"}));
}

TEST(SceneDocument, AccessorsByIdentityAndItemType) {
  LoadedScene scene(kScene);
  SceneDocument& document = *scene.document;
  // Every chunk of the four sections has an identity of its own.
  std::set<ChunkId> ids;
  for (const ChunkList* list :
       {&document.Objects(), &document.Definitions(), &document.InitScripts(), &document.VisualEffects()})
    for (const ChunkEntry& entry : list->Entries()) {
      EXPECT_TRUE(ids.insert(entry.id).second);
      EXPECT_TRUE(document.Get(entry.id).chunk == entry.chunk);
    }
  EXPECT_EQ(ids.size(), 5u);
  EXPECT_EQ(document.Get(0), nullptr);
  EXPECT_EQ(document.Get(document.Heads().At(0)->id), nullptr) << "head chunks are in no section";
  EXPECT_EQ(document.ListOfType(kObjectsSection), nullptr) << "a section code is no item type";
  const TqScene2bin& scene2bin = *scene.scene2bin;
  EXPECT_EQ(scene2bin.CountByChunkID(kObjectChunk), 2);
  EXPECT_EQ(scene2bin.CountByChunkID(kDefinitionChunk), 1);
  EXPECT_EQ(scene2bin.CountByChunkID(kInitScriptChunk), 1);
  EXPECT_EQ(scene2bin.CountByChunkID(kVisualEffectChunk), 1);
  EXPECT_EQ(&scene2bin.SectionListByChunkID(kVisualEffectChunk), &document.VisualEffects());
  try {
    scene2bin.CountByChunkID(kObjectsSection);
    FAIL() << "a section code is no item type";
  } catch (const Exception& error) {
    EXPECT_EQ(error.ErrorCode, 0);
    EXPECT_EQ(error.Message, "qScene2bin.SectionListByChunkID: incorrect param SectionID");
  }
}

TEST(SceneFiles, SavesAndLoadsByteForByte) {
  ScratchFolder folder;
  WriteFileBytes(folder.Path("in.bin"), kScene);
  TraceCollector trace;
  TestUi ui;
  auto scene2bin = NewScene2bin(ui);
  SceneDocument& document = scene2bin->Core();
  ASSERT_TRUE(document.Load(folder.Path("in.bin")).ok());
  trace.TakeLines();
  ASSERT_TRUE(document.Save(folder.Path("out.bin")).ok());
  EXPECT_EQ(trace.TakeLines(), (std::vector<std::string>{"TqScene2bin.WriteToFile - done"}));
  EXPECT_EQ(ReadFileBytes(folder.Path("out.bin")), kScene);
  // Saving over the file it came from replaces it, and leaves nothing else behind.
  ASSERT_TRUE(document.Save(folder.Path("in.bin")).ok());
  EXPECT_EQ(ReadFileBytes(folder.Path("in.bin")), kScene);
  EXPECT_EQ(folder.FileNames(), (std::vector<std::string>{"in.bin", "out.bin"}));
}

TEST(SceneFiles, AMissingFileIsUnopenableAndTracesAsAnEmptyOne) {
  ScratchFolder folder;
  TraceCollector trace;
  TestUi ui;
  auto scene2bin = NewScene2bin(ui);
  SceneDocument& document = scene2bin->Core();
  const std::string path = folder.Path("nothing.bin");
  const Outcome<Done> loaded = document.Load(path);
  ASSERT_FALSE(loaded.ok());
  EXPECT_EQ(loaded.failure().fault, SceneFault::Unopenable);
  EXPECT_EQ(loaded.failure().reason, os::OpenForReading(path).reason()) << "the system's own";
  EXPECT_EQ(trace.TakeLines(), (std::vector<std::string>{
                                   "* qScene2bin.clear done *",
                                   "qScene2bin.ReadFromFile: file open",
                                   "scene2.bin: incorrect file signature",
                                   "qScene2bin.ReadFromFile: qScene2bin.ReadFromFile: cant read header",
                               }));
}

// The core writes nothing: only an observer given to it hears what it does.
TEST(SceneDocument, WithoutAnObserverNothingIsTraced) {
  ScratchFolder folder;
  TraceCollector trace;
  SceneDocument document;
  ASSERT_TRUE(document.Load(*StreamOf(kScene)).ok());
  const ChunkRef first = RefAt(document.Objects(), 0);
  ASSERT_TRUE(document.Rename(first, "renamed").ok());
  EXPECT_EQ(document.Rename(RefAt(document.Objects(), 1), "renamed").failure().fault, SceneFault::NameTaken);
  ASSERT_TRUE(document.Undo());
  ASSERT_TRUE(document.Save(folder.Path("out.bin")).ok());
  EXPECT_EQ(document.Load(folder.Path("missing.bin")).failure().fault, SceneFault::Unopenable);
  EXPECT_EQ(trace.Text(), "");
}

TEST(SceneFiles, SaveIntoAMissingFolderFailsAndChangesNothing) {
  ScratchFolder folder;
  LoadedScene scene(kScene);
  TraceCollector trace;
  EXPECT_FALSE(scene.document->Save(folder.Path("no/such/folder/out.bin")).ok());
  EXPECT_EQ(trace.TakeLines(), (std::vector<std::string>{"qScene2bin.WriteToFile: IO error"}));
  EXPECT_EQ(Written(*scene.document), kScene);
  EXPECT_TRUE(folder.FileNames().empty());
}

TEST(SceneFiles, SaveThatCannotReplaceTheTargetKeepsItAndLeavesNoTemporaryFile) {
  ScratchFolder folder;
  // A folder in the target's place can't be replaced by a file.
  const std::string target = folder.Path("scene2.bin");
  std::filesystem::create_directory(target);
  LoadedScene scene(kScene);
  TraceCollector trace;
  EXPECT_FALSE(scene.document->Save(target).ok());
  const auto lines = trace.TakeLines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rfind("qScene2bin.WriteToFile: ", 0), 0u) << lines[0];
  EXPECT_EQ(folder.FileNames(), (std::vector<std::string>{"scene2.bin"}));
  EXPECT_TRUE(std::filesystem::is_directory(target));
}

#ifndef _WIN32
TEST(SceneFiles, EveryWriteIsChecked) {
  // A file that can't grow past 1 KiB, as on a full disk: a write, or the
  // flush at the end, fails.
  ScratchFolder folder;
  auto created = TFileStream::Create(folder.Path("full.bin"));
  ASSERT_TRUE(created.ok()) << created.reason();
  TFileStream* full = created.value().get();
  FileSizeLimit limit(1024);
  const Bytes block(64 * 1024, 0x5A);
  EXPECT_THROW(
      {
        for (int i = 0; i < 64; ++i) full->Write(block.data(), block.size());
        full->Commit();
      },
      Exception);
}
#endif

}  // namespace

namespace {

TEST(SceneDocument, ARepeatedSectionIsSizedAsTheOneSectionASaveWrites) {
  // Two sections of objects: a load joins their chunks in one list.
  const Bytes first = ObjectChunk("a", 9);
  const Bytes second = ObjectChunk("b", 9);
  LoadedScene scene(SceneFile({ChunkOf(1, {}), ChunkOf(kObjectsSection, first), ChunkOf(kObjectsSection, second)}));
  SceneDocument& document = *scene.document;
  EXPECT_EQ(document.Objects().sectionSize, static_cast<int32_t>(6 + first.size() + second.size()));
  // What the file size holds beyond what a save writes (the second header)
  // stays so through edits; the sizes never count a chunk that is gone.
  const auto beyond = [&document] { return document.FileSize() - static_cast<int64_t>(Written(document).size()); };
  const int64_t asLoaded = beyond();
  const std::vector<ChunkId> gone{document.Objects().At(0)->id};
  ASSERT_EQ(document.DeleteChunks(gone), 1u);
  EXPECT_EQ(document.Objects().sectionSize, static_cast<int32_t>(6 + second.size()));
  EXPECT_EQ(beyond(), asLoaded);
  const Bytes added = ObjectChunk("c", 9);
  ASSERT_TRUE(document.Add(Chunk::CopyOf(ViewOf(added))).ok());
  EXPECT_EQ(beyond(), asLoaded);
}

}  // namespace

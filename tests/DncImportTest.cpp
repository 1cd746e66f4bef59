// .dnc files back into a scene: exports that lose no chunk, the order and
// the name rules of an import, and the files an import refuses.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "os/FileSystem.h"
#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "scene/DncExport.h"
#include "scene/DncImport.h"
#include "scene/Exception.h"
#include "tests/SceneTestSupport.h"
#include "tools/scenegen/SceneGenerator.h"

namespace {

using Lines = std::vector<std::string>;

constexpr uint16_t kItemTypes[] = {kObjectChunk, kDefinitionChunk, kInitScriptChunk, kVisualEffectChunk};

Bytes GeneratedScene() {
  SceneOptions options;
  options.seed = 7;
  options.objects = 400;
  options.definitions = 200;
  options.initScripts = 150;
  options.visualEffects = 150;
  TMemoryStream out;
  GenerateScene(options, out);
  return BytesOf(out);
}

// Every chunk of the document exported into `folder`; the paths written.
std::vector<std::string> ExportAll(const SceneDocument& document, const std::string& folder) {
  TDncExport dncExport(folder + "/");
  std::vector<std::string> paths;
  for (uint16_t type : kItemTypes)
    for (const ChunkEntry& entry : document.ListOfType(type)->Entries()) {
      const DncWrite written = dncExport.Write(entry.chunk.Bytes());
      EXPECT_TRUE(written.written) << written.fileName << ": " << written.error;
      paths.push_back(folder + "/" + written.fileName);
    }
  return paths;
}

// The files of a folder in name order, as a shell's `*` gives them; their
// names as the bytes the export wrote (std::filesystem would convert them).
std::vector<std::string> FilesIn(const std::string& folder) {
  os::Result<std::vector<std::string>> listed = os::ListFolder(folder + "/");
  EXPECT_TRUE(listed.ok());
  std::vector<std::string> names = listed.ok() ? listed.value() : std::vector<std::string>{};
  std::sort(names.begin(), names.end());
  std::vector<std::string> paths;
  for (const std::string& name : names) paths.push_back(folder + "/" + name);
  return paths;
}

std::multiset<Bytes> ChunksOf(const ChunkList& list) {
  std::multiset<Bytes> chunks;
  for (const ChunkEntry& entry : list.Entries()) chunks.insert(BytesOf(entry.chunk.Bytes()));
  return chunks;
}

bool HasRepeatedName(const ChunkList& list) {
  std::set<std::string> seen;
  bool repeated = false;
  for (const ChunkEntry& entry : list.Entries()) repeated |= !seen.insert(GetChunkName(entry.chunk.Bytes())).second;
  return repeated;
}

TEST(DncRoundTrip, ImportingEverythingAnExportWroteGivesTheSameFile) {
  const Bytes scene = GeneratedScene();
  LoadedScene loaded(scene);
  ASSERT_TRUE(loaded.loaded);
  for (uint16_t type : kItemTypes) ASSERT_TRUE(HasRepeatedName(loaded.scene2bin->SectionListByChunkID(type))) << type;
  ScratchFolder folder;
  TraceCollector trace;
  const std::vector<std::string> written = ExportAll(*loaded.document, folder.path());
  const std::vector<std::string> files = FilesIn(folder.path());
  EXPECT_EQ(files.size(), written.size()) << "one file for every chunk";

  const ImportTally tally = ImportDncFiles(*loaded.document, files).value();
  EXPECT_EQ(tally.replaced, static_cast<int>(files.size()));
  EXPECT_EQ(tally.added, 0);
  EXPECT_EQ(Written(*loaded.document), scene);
}

TEST(DncRoundTrip, ExportDeleteAndImportGivesBackEveryChunk) {
  LoadedScene loaded(GeneratedScene());
  ScratchFolder folder;
  TraceCollector trace;
  std::map<uint16_t, std::multiset<Bytes>> before;
  for (uint16_t type : kItemTypes) before[type] = ChunksOf(loaded.scene2bin->SectionListByChunkID(type));
  ExportAll(*loaded.document, folder.path());
  for (uint16_t type : kItemTypes) {
    const ChunkList& list = loaded.scene2bin->SectionListByChunkID(type);
    while (list.Count() > 0) {
      ChunkRef chunk = RefAt(list, 0);
      loaded.scene2bin->DeleteDNC(chunk);
    }
  }
  const ImportTally tally = ImportDncFiles(*loaded.document, FilesIn(folder.path())).value();
  EXPECT_EQ(tally.replaced, 0);
  for (uint16_t type : kItemTypes) EXPECT_EQ(ChunksOf(loaded.scene2bin->SectionListByChunkID(type)), before[type]);
  // The sizes kept are those of what is written.
  const Bytes saved = Written(*loaded.document);
  EXPECT_EQ(loaded.document->FileSize(), static_cast<int32_t>(saved.size()));
  LoadedScene reloaded(saved);
  EXPECT_TRUE(reloaded.loaded);
}

TEST(DncExport, ANameUsedAlreadyInTheExportGetsTheFirstFreeNumber) {
  ScratchFolder folder;
  WriteFileBytes(folder.Path("Obj_Box01.dnc"), Text("left by an earlier export"));
  const Bytes chunks[] = {ObjectChunk("Box01", 9), ObjectChunk("box01", 9), ObjectChunk("Box01 (2)", 9),
                          ObjectChunk("BOX01", 9), DefinitionChunk("Box01", 4)};
  std::vector<std::string> names;
  {
    TDncExport dncExport(folder.path() + "/");
    for (const Bytes& bytes : chunks) {
      const DncWrite written = dncExport.Write(ViewOf(bytes));
      EXPECT_TRUE(written.written) << written.error;
      names.push_back(written.fileName);
    }
  }
  // Names are compared as Windows compares them, whatever the platform.
  EXPECT_EQ(names, (Lines{"Obj_Box01.dnc", "Obj_box01 (2).dnc", "Obj_Box01 (2) (2).dnc", "Obj_BOX01 (3).dnc",
                          "Dfn_Box01.dnc"}));
  for (size_t index = 0; index < names.size(); ++index)
    EXPECT_EQ(ReadFileBytes(folder.Path(names[index])), chunks[index]) << names[index];
}

TEST(DncImportOrder, NumberedCopiesOfOneNameAreTakenInNumberOrderWhereTheFirstStands) {
  EXPECT_EQ(ImportOrder({"d/Obj_x (2).dnc", "d/Obj_a.dnc", "d/Obj_x.dnc", "d/obj_X (10).dnc", "d/Obj_X (3).DNC",
                         "d/Obj_y (1).dnc", "d/Obj_z (02).dnc", "e/Obj_x.dnc"}),
            (Lines{"d/Obj_x.dnc", "d/Obj_x (2).dnc", "d/Obj_X (3).DNC", "d/obj_X (10).dnc", "d/Obj_a.dnc",
                   "d/Obj_y (1).dnc", "d/Obj_z (02).dnc", "e/Obj_x.dnc"}));
}

class DncImport : public testing::Test {
 protected:
  std::string File(const std::string& name, const Bytes& bytes) {
    WriteFileBytes(folder.Path(name), bytes);
    return folder.Path(name);
  }

  ImportTally Import(const std::vector<std::string>& paths) {
    Outcome<ImportTally> tally = ImportDncFiles(*scene.document, paths);
    lines = trace.TakeLines();
    EXPECT_TRUE(tally.ok()) << tally.failure().message;
    return tally.ok() ? tally.value() : ImportTally{};
  }

  // The error of an import that is refused.
  SceneError Refusal(const std::vector<std::string>& paths) {
    Outcome<ImportTally> tally = ImportDncFiles(*scene.document, paths);
    EXPECT_FALSE(tally.ok());
    return tally.ok() ? SceneError{} : tally.failure();
  }

  // The section size and the file size are those of what a save writes.
  void ExpectSizesInStep() {
    const Bytes saved = Written(*scene.document);
    EXPECT_EQ(scene.document->FileSize(), static_cast<int32_t>(saved.size()));
    for (const ChunkList* list :
         {&scene.document->Objects(), &scene.document->Definitions(), &scene.document->VisualEffects()}) {
      int32_t length = 6;
      for (const ChunkEntry& entry : list->Entries()) length += static_cast<int32_t>(entry.chunk.Length());
      if (list->Count() > 0) {
        EXPECT_EQ(list->sectionSize, length);
      }
    }
  }

  ScratchFolder folder;
  LoadedScene scene{SceneFile(
      {ChunkOf(1, {}),
       ChunkOf(kObjectsSection, Concat({ObjectChunk("crate", 9), ObjectChunk("horn", 4), ObjectChunk("crate", 2)}))})};
  TraceCollector trace;
  Lines lines;
};

TEST_F(DncImport, ChunksOfOneNameReplaceThoseOfTheSceneInTurnThenAreAdded) {
  const Bytes first = ObjectChunk("crate", 12);
  const Bytes second = ObjectChunk("crate", 3);
  const Bytes third = ObjectChunk("crate", 14);
  const ImportTally tally =
      Import({File("Obj_crate.dnc", first), File("Obj_crate (2).dnc", second), File("Obj_crate (3).dnc", third)});
  EXPECT_EQ(tally.replaced, 2);
  EXPECT_EQ(tally.added, 1);
  EXPECT_EQ(ImportSummary(tally), "3 chunks imported (2 replaced, 1 added)");
  EXPECT_EQ(ImportSummary({.replaced = 1, .added = 0, .chunks = {}}), "1 chunk imported (1 replaced, 0 added)");
  EXPECT_EQ(lines,
            (Lines{"qScene2bin.ImportDNC: replaced objects crate", "qScene2bin.ImportDNC: replaced objects crate",
                   "qScene2bin.ImportDNC: added objects crate"}));
  const ChunkList& objects = scene.document->Objects();
  ASSERT_EQ(objects.Count(), 4);
  EXPECT_EQ(BytesOf(objects.At(0)->chunk.Bytes()), first);
  EXPECT_EQ(GetChunkName(objects.At(1)->chunk.Bytes()), "horn");
  EXPECT_EQ(BytesOf(objects.At(2)->chunk.Bytes()), second);
  EXPECT_EQ(BytesOf(objects.At(3)->chunk.Bytes()), third);
  ExpectSizesInStep();
}

TEST_F(DncImport, ANamelessChunkIsAlwaysAdded) {
  const Bytes nameless = ChunkOf(kObjectChunk, ChunkOf(kObjectTypeChunk, U32(9)));
  EXPECT_EQ(Import({File("Obj_.dnc", nameless), File("Obj_ (2).dnc", nameless)}).added, 2);
  EXPECT_EQ(lines, (Lines{"qScene2bin.ImportDNC: added objects ", "qScene2bin.ImportDNC: added objects "}));
  EXPECT_EQ(scene.document->Objects().Count(), 5);
  ExpectSizesInStep();
}

TEST_F(DncImport, ASectionTheSceneLackedIsWrittenAgain) {
  const Bytes door = DefinitionChunk("door1", 6);
  const Bytes fog = VisualEffectChunk("fog");
  EXPECT_EQ(Import({File("Dfn_door1.dnc", door), File("VisEff_fog.dnc", fog)}).added, 2);
  ExpectSizesInStep();
  LoadedScene reloaded(Written(*scene.document));
  ASSERT_TRUE(reloaded.loaded);
  ASSERT_EQ(reloaded.document->Definitions().Count(), 1);
  EXPECT_EQ(BytesOf(reloaded.document->Definitions().At(0)->chunk.Bytes()), door);
  ASSERT_EQ(reloaded.document->VisualEffects().Count(), 1);
  EXPECT_EQ(BytesOf(reloaded.document->VisualEffects().At(0)->chunk.Bytes()), fog);
}

TEST_F(DncImport, ARefusedFileChangesNothingAndIsNamedWithItsReason) {
  const std::string good = File("Obj_horn.dnc", ObjectChunk("horn", 2));
  const Bytes object = ObjectChunk("crate", 1);
  const struct {
    const char* name;
    Bytes bytes;
    std::string reason;
  } cases[] = {
      {"short.dnc", Bytes{0x10, 0x40, 5, 0, 0}, "the file holds 5 bytes, less than a chunk's header"},
      {"long.dnc", Concat({object, Bytes{0}}),
       "the chunk's size field says " + std::to_string(object.size()) + " bytes, but the file holds " +
           std::to_string(object.size() + 1)},
      {"cut.dnc", Bytes(object.begin(), object.end() - 1),
       "the chunk's size field says " + std::to_string(object.size()) + " bytes, but the file holds " +
           std::to_string(object.size() - 1)},
      {"root.dnc", ChunkOf(kRootChunk, {}),
       "chunk type 4C53 is not an object, definition, init script or visual effect"},
      {"section.dnc", ChunkOf(kObjectsSection, object),
       "chunk type 4000 is not an object, definition, init script or visual effect"},
  };
  const Bytes before = Written(*scene.document);
  for (const auto& refused : cases) {
    SCOPED_TRACE(refused.name);
    const std::string path = File(refused.name, refused.bytes);
    const SceneError error = Refusal({good, path});
    EXPECT_EQ(error.fault, SceneFault::DncRefused);
    EXPECT_EQ(error.message, path + ": " + refused.reason);
    EXPECT_EQ(error.reason, refused.reason);
    EXPECT_EQ(trace.TakeLines(), Lines{"qScene2bin.ImportDNC: " + path + ": " + refused.reason});
    EXPECT_EQ(Written(*scene.document), before);
  }
  std::filesystem::create_directory(folder.Path("folder.dnc"));
  EXPECT_EQ(Refusal({good, folder.Path("folder.dnc")}).fault, SceneFault::DncRefused);
  EXPECT_EQ(Refusal({good, folder.Path("missing.dnc")}).fault, SceneFault::DncRefused);
  EXPECT_EQ(Written(*scene.document), before);
}

}  // namespace

TEST_F(DncImport, AnImportStoppedHalfWayPutsInWhatItHadReadAsOneEdit) {
  const std::vector<std::string> paths = {File("Obj_a.dnc", ObjectChunk("a", 9)),
                                          File("Obj_b.dnc", ObjectChunk("b", 9)),
                                          File("Obj_c.dnc", ObjectChunk("c", 9))};
  std::vector<size_t> reported;
  const ImportTally tally = ImportDncFiles(*scene.document, paths, [&reported](size_t done, size_t total) {
                              EXPECT_EQ(total, 3u);
                              reported.push_back(done);
                              return done < 2;
                            }).value();
  EXPECT_EQ(reported, (std::vector<size_t>{0, 1, 2}));
  EXPECT_EQ(tally.added, 2);
  EXPECT_EQ(scene.document->Objects().Count(), 5);  // three and two
  ASSERT_TRUE(scene.document->Undo());
  EXPECT_EQ(scene.document->Objects().Count(), 3);
  EXPECT_FALSE(scene.document->CanUndo());
}

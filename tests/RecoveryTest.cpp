// The recovery file of unsaved changes: what it holds, how its writer keeps
// up with edits, and which files an editor finds left by others.
#include <gtest/gtest.h>

#include <fstream>

#include "editing/RecoveryFile.h"
#include "editing/RecoveryFolders.h"
#include "editing/RecoveryWriter.h"
#include "os/FileSystem.h"
#include "os/Paths.h"
#include "scene/FileStream.h"
#include "tests/SceneTestSupport.h"

namespace {

const Bytes kScene = Scene({Objects({ObjectChunk("crate", 9), ObjectChunk("horn", 4)})});

struct Recovered {
  std::string owner;
  Bytes scene;
};

Recovered ReadRecovery(const std::string& path) {
  os::Result<std::unique_ptr<TFileStream>> file = TFileStream::OpenRead(path);
  if (!file.ok()) return {"unreadable: " + file.reason(), {}};
  os::Result<std::string> owner = ReadRecoveryOwner(*file.value());
  if (!owner.ok()) return {owner.reason(), {}};
  Bytes scene(static_cast<size_t>(file.value()->Size() - file.value()->Position()));
  file.value()->Read(scene.data(), scene.size());
  return {owner.value(), scene};
}

}  // namespace

TEST(RecoveryWriter, WritesTheNewestSceneAskedForAndRemovesItWhenAsked) {
  ScratchFolder scratch;
  LoadedScene loaded(kScene);
  SceneDocument& document = *loaded.document;
  const std::string path = os::WithSeparator(scratch.Path("not made yet")) + "scene.recovery";
  RecoveryWriter writer(path);
  // A state asked for while others wait is the one written; each snapshot
  // is the scene as it was when taken, whatever came after.
  const SceneSnapshot before = document.Snapshot();
  for (int edit = 0; edit < 20; ++edit) {
    ASSERT_TRUE(document.Rename(RefAt(document.Objects(), 0), "crate" + std::to_string(edit)).ok());
    writer.Keep(document.Snapshot(), "C:\\scenes\\Сцена.bin");
  }
  writer.Finish();
  const Recovered kept = ReadRecovery(path);
  EXPECT_EQ(kept.owner, "C:\\scenes\\Сцена.bin");
  EXPECT_EQ(kept.scene, Written(document));

  writer.Keep(before, "");
  writer.Finish();
  EXPECT_EQ(ReadRecovery(path).scene, kScene);
  EXPECT_EQ(ReadRecovery(path).owner, "");

  writer.Remove();
  writer.Finish();
  EXPECT_FALSE(FileExists(path));
  EXPECT_EQ(writer.TakeFailure(), "");
}

TEST(RecoveryWriter, TellsAFailedWriteOnceUntilAWriteWorksAgain) {
  ScratchFolder scratch;
  LoadedScene loaded(kScene);
  // The recovery file's folder can't be made where a file has its name.
  WriteFileBytes(scratch.Path("taken"), Text("a file"));
  RecoveryWriter writer(os::WithSeparator(scratch.Path("taken")) + "scene.recovery");
  writer.Keep(loaded.document->Snapshot(), "scene2.bin");
  writer.Finish();
  EXPECT_NE(writer.TakeFailure(), "");
  writer.Keep(loaded.document->Snapshot(), "scene2.bin");
  writer.Finish();
  EXPECT_EQ(writer.TakeFailure(), "");
}

TEST(RecoveryFile, RefusesAHeaderThatIsNoneOrCutShort) {
  const Bytes header = Concat({Text("S2RECOV1"), U32(4), Text("a.bin")});
  const struct {
    const char* what;
    Bytes bytes;
    const char* reason;
  } cases[] = {
      {"empty", {}, "not a recovery file"},
      {"a scene file", kScene, "not a recovery file"},
      {"no length", Text("S2RECOV1"), "not a recovery file"},
      {"a length beyond any path", Concat({Text("S2RECOV1"), U32(0xFFFFFFFF), Text("x")}), "not a recovery file"},
      {"a path cut short", Concat({Text("S2RECOV1"), U32(9), Text("a.bin")}), "the recovery file is cut short"},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.what);
    const std::unique_ptr<TMemoryStream> stream = StreamOf(each.bytes);
    const os::Result<std::string> owner = ReadRecoveryOwner(*stream);
    ASSERT_FALSE(owner.ok());
    EXPECT_EQ(owner.reason(), each.reason);
  }
  const std::unique_ptr<TMemoryStream> stream = StreamOf(header);
  const os::Result<std::string> owner = ReadRecoveryOwner(*stream);
  ASSERT_TRUE(owner.ok());
  EXPECT_EQ(owner.value(), "a.bi");
  EXPECT_EQ(stream->Position(), 16);
}

TEST(RecoveryFolders, FindsTheFilesOfEditorsThatEndedNewestFirst) {
  ScratchFolder scratch;
  const std::string root = os::WithSeparator(scratch.path());
  const ProcessStamp running{7, 500};
  const ProcessStamp older{12, 100};
  const ProcessStamp newer{12, 300};
  const ProcessStamp empty{9, 400};
  for (const ProcessStamp& process : {running, older, newer}) {
    const std::string folder = RecoveryFolderOf(root, process);
    ASSERT_TRUE(os::CreateFolders(folder).ok());
    WriteFileBytes(RecoveryFileIn(folder), Text("kept"));
  }
  ASSERT_TRUE(os::CreateFolders(RecoveryFolderOf(root, empty)).ok());
  ASSERT_TRUE(os::CreateFolders(root + "not an editor's").ok());

  const std::vector<std::string> left =
      LeftRecoveryFiles(root, [&](const ProcessStamp& process) { return process == running; });
  EXPECT_EQ(left, (std::vector<std::string>{RecoveryFileIn(RecoveryFolderOf(root, newer)),
                                            RecoveryFileIn(RecoveryFolderOf(root, older))}));
  EXPECT_FALSE(os::IsFolder(RecoveryFolderOf(root, empty))) << "a folder left with no file is removed";
  EXPECT_TRUE(os::IsFolder(root + "not an editor's"));

  WriteFileBytes(RecoveryFolderOf(root, older) + ".~cutshort.tmp", Text("a write cut short"));
  EXPECT_TRUE(RemoveRecoveryFolder(RecoveryFolderOf(root, older)).ok());
  EXPECT_FALSE(os::IsFolder(RecoveryFolderOf(root, older)));
}

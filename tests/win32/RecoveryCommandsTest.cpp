// The recovery file of unsaved changes, in-process: kept while the scene
// differs from its save, dropped with the changes, and the changes of an
// editor that ended offered at start.
#include <optional>

#include "editing/RecoveryFile.h"
#include "os/FileSystem.h"
#include "os/Paths.h"
#include "scene/FileStream.h"
#include "tests/win32/EditedSceneTest.h"
#include "tools/gui/FileDialogs.h"
#include "tools/gui/MessageBoxes.h"
#include "tools/gui/TreeClicks.h"
#include "tools/gui/WhenShown.h"

namespace {

struct Kept {
  std::string owner;
  Bytes scene;
  bool operator==(const Kept&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Kept& kept) {
  return out << kept.owner << " with a scene of " << kept.scene.size() << " bytes";
}

class RecoveryCommandsTest : public EditedSceneTest {
 protected:
  // What this editor's recovery file holds once written; nothing when it is gone.
  std::optional<Kept> Recovered() {
    form.Recovery().Finish();
    return KeptIn(form.Recovery().File());
  }

  static std::optional<Kept> KeptIn(const std::string& file) {
    os::Result<std::unique_ptr<TFileStream>> opened = TFileStream::OpenRead(file);
    if (!opened.ok()) return std::nullopt;
    TFileStream& stream = *opened.value();
    os::Result<std::string> owner = ReadRecoveryOwner(stream);
    if (!owner.ok()) return Kept{owner.reason(), {}};
    Bytes scene(static_cast<size_t>(stream.Size() - stream.Position()));
    stream.Read(scene.data(), scene.size());
    return Kept{owner.value(), scene};
  }

  // The file an editor that ended left with the edit, as changes to the scene.
  std::string LeaveEditedScene() {
    Edit();
    form.Recovery().Finish();
    const std::string folder = RecoveryFolderOf(WindowsPath(scratch.Path("data/Recovery")) + "\\", kEnded);
    EXPECT_TRUE(os::CreateFolders(folder).ok());
    WriteFileBytes(RecoveryFileIn(folder), ReadFileBytes(form.Recovery().File()));
    ChooseMenu("Edit", "undo");
    form.Recovery().Finish();
    return RecoveryFileIn(folder);
  }

  // No process has such a number.
  static constexpr ProcessStamp kEnded{0xFFFFFFF1u, 1};
};

// Answers the box titled "tool" with `button` once it shows, keeping its text.
struct Answer {
  explicit Answer(int button)
      : box("tool", [this, button](HWND shown) {
          text = MessageBoxText(shown);
          PostMessageA(shown, WM_COMMAND, static_cast<WPARAM>(button), 0);
        }) {}
  std::string text;
  WhenShown box;
};

}  // namespace

TEST_F(RecoveryCommandsTest, KeepsTheChangesWhileTheSceneDiffersFromItsSave) {
  EXPECT_EQ(Recovered(), std::nullopt) << "nothing to keep after a load";
  Edit();
  EXPECT_EQ(Recovered(), (Kept{WindowsPath(path), kEdited}));
  ChooseMenu("Edit", "undo");
  EXPECT_EQ(Recovered(), std::nullopt) << "back as saved";
  ChooseMenu("Edit", "redo");
  EXPECT_EQ(Recovered(), (Kept{WindowsPath(path), kEdited}));
  ChooseMenu("File", "save");
  EXPECT_EQ(Recovered(), std::nullopt);
  EXPECT_EQ(ReadFileBytes(path), kEdited);
}

TEST_F(RecoveryCommandsTest, DropsTheChangesWithTheUsersNo) {
  Edit();
  ASSERT_NE(Recovered(), std::nullopt);
  const std::string file = form.Recovery().File();
  Answer no(IDNO);
  ASSERT_TRUE(CloseWindow());
  EXPECT_FALSE(FileExists(file));
}

TEST_F(RecoveryCommandsTest, OpensChangesLeftByAnEditorThatEndedAsUnsavedChangesToTheirFile) {
  const std::string left = LeaveEditedScene();
  {
    Answer yes(IDYES);
    form.RecoverLeftScenes();
    EXPECT_NE(yes.text.find(WindowsPath(path)), std::string::npos) << yes.text;
  }
  EXPECT_EQ(Written(form.Document().Core()), kEdited) << "the crate stays deleted";
  EXPECT_EQ(ChildTexts(nodes().objects).size(), 1u) << "the tree shows the scene recovered";
  EXPECT_TRUE(form.Document().Core().Modified());
  EXPECT_TRUE(Greyed("undo"));
  EXPECT_EQ(ReadFileBytes(path), kScene);
  // Taken over as this editor's own.
  EXPECT_FALSE(FileExists(left));
  EXPECT_EQ(Recovered(), (Kept{WindowsPath(path), kEdited}));

  ChooseMenu("File", "save");
  EXPECT_EQ(ReadFileBytes(path), kEdited);
  EXPECT_EQ(Recovered(), std::nullopt);
}

TEST_F(RecoveryCommandsTest, KeepsLeftChangesOnCancelDiscardsThemOnNoAndNeverOffersARunningEditors) {
  const std::string left = LeaveEditedScene();
  ChooseMenu("Edit", "redo");  // this editor's own file, which is not offered
  form.Recovery().Finish();
  {
    Answer cancel(IDCANCEL);
    form.RecoverLeftScenes();
    EXPECT_TRUE(cancel.box.Done());
  }
  EXPECT_TRUE(FileExists(left));
  EXPECT_TRUE(FileExists(form.Recovery().File()));
  {
    Answer no(IDNO);
    form.RecoverLeftScenes();
    EXPECT_TRUE(no.box.Done());
  }
  EXPECT_FALSE(os::IsFolder(os::FolderOf(left)));
  EXPECT_TRUE(FileExists(form.Recovery().File()));
  WhenShown unexpected("tool", PostOk);
  form.RecoverLeftScenes();
  EXPECT_FALSE(unexpected.Done());
}

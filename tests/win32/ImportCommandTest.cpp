// "Edit" > "import..": the file dialog, the summary, the refusals.

#include <windows.h>
// after windows.h, which it needs
#include <commdlg.h>
#include <dlgs.h>

#include <filesystem>

#include "os/WideText.h"
#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "tests/win32/EditorFixture.h"
#include "tools/gui/FileDialogs.h"
#include "tools/gui/Input.h"
#include "tools/gui/MessageBoxes.h"
#include "tools/gui/TreeClicks.h"
#include "tools/gui/WhenShown.h"
#include "tools/gui/WindowSearch.h"

namespace {

using Texts = std::vector<std::string>;

constexpr char kOpenCaption[] = "Open";

class ImportCommandTest : public EditorTest {
 protected:
  ImportCommandTest() {
    std::filesystem::create_directories(form.DncFolder());
    EXPECT_EQ(Load(Scene({Objects({ObjectChunk("crate", 9), ObjectChunk("horn", 4)})})), "");
  }

  std::string DncFile(const std::string& name, const Bytes& bytes) {
    WriteFileBytes(form.DncFolder() + name, bytes);
    return form.DncFolder() + name;
  }

  // "import.." with `typed` in the dialog's name field; gives the text of
  // the box that follows, and whether it had the error icon.
  std::string Import(const std::string& typed, bool* error = nullptr) {
    std::string text;
    WhenShown choose(kOpenCaption, [&](HWND dialog) {
      filter = TextOf(GetDlgItem(dialog, cmb1));
      ChooseFile(dialog, typed);
    });
    WhenShown read("tool", [&](HWND box) {
      text = MessageBoxText(box);
      if (error != nullptr) *error = ShowsIcon(box, IDI_ERROR);
      PostOk(box);
    });
    ChooseMenu("Edit", "import..");
    EXPECT_TRUE(choose.Done());
    return text;
  }

  std::string filter;
};

TEST_F(ImportCommandTest, PutsTheChosenFilesBackKeepsTheTreeAsItWasAndSaysWhatItDid) {
  const Bytes soundCrate = ObjectChunk("crate", 4);
  const Bytes barrel = ObjectChunk("barrel", 9);
  DncFile("Obj_crate.dnc", soundCrate);
  DncFile("Obj_barrel.dnc", barrel);
  ClickCheckBox(tree(), nodes().objects);
  tree().Expand(*Child(nodes().objects, "model"));
  tree().Select(Child(Child(nodes().objects, "sound"), "horn"));
  // Names without a folder: the dialog starts in the export folder.
  EXPECT_EQ(Import("\"Obj_crate.dnc\" \"Obj_barrel.dnc\""), "2 chunks imported (1 replaced, 1 added)");
  EXPECT_EQ(filter, "dnc file (*.dnc)");
  EXPECT_EQ(BytesOf(form.Document().Core().Objects().At(0)->chunk.Bytes()), soundCrate);
  EXPECT_EQ(BytesOf(form.Document().Core().Objects().At(2)->chunk.Bytes()), barrel);
  // The crate, now a sound, moves to the sound folder with its mark; the
  // barrel is added unmarked; folders, marks and selection stay.
  EXPECT_EQ(ChildTexts(nodes().objects), (Texts{"model", "sound"}));
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "model")), (Texts{"barrel"}));
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "sound")), (Texts{"horn", "crate"}));
  EXPECT_TRUE(Child(Child(nodes().objects, "sound"), "crate")->Checked());
  EXPECT_FALSE(Child(Child(nodes().objects, "model"), "barrel")->Checked());
  EXPECT_TRUE(nodes().objects->Checked());
  EXPECT_TRUE(tree().IsExpanded(*Child(nodes().objects, "model")));
  EXPECT_EQ(tree().Selected(), Child(Child(nodes().objects, "sound"), "horn"));
  EXPECT_EQ(trace.TakeLines(),
            (Texts{"qScene2bin.ImportDNC: replaced objects crate", "qScene2bin.ImportDNC: added objects barrel"}));
}

TEST_F(ImportCommandTest, TheOpenDialogThenStartsInTheScenesFolderWithItsName) {
  const std::string scene = scratch.Path("scene.bin");
  WriteFileBytes(scene, Scene({Objects({ObjectChunk("crate", 9)})}));
  OpenFile(scene);
  DncFile("Obj_barrel.dnc", ObjectChunk("barrel", 9));
  const std::filesystem::path current = std::filesystem::current_path();
  EXPECT_NE(Import("Obj_barrel.dnc"), "");
  EXPECT_EQ(std::filesystem::current_path(), current) << "the program's current folder stays where it was";

  // The import is an unsaved change: "open.." asks first.
  WhenShown dropChanges("tool", [](HWND box) { PostMessageA(box, WM_COMMAND, IDNO, 0); });
  std::string folder;
  std::string offered;
  WhenShown read(kOpenCaption, [&](HWND dialog) {
    wchar_t path[MAX_PATH] = {};
    SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(path));
    folder = os::Narrow(path);
    offered = TextOf(FileNameField(dialog));
    CancelDialog(dialog);
  });
  ChooseMenu("File", "open..");
  ASSERT_TRUE(read.Done());
  EXPECT_EQ(offered, "scene.bin");
  EXPECT_EQ(folder + "\\" + offered, HostPath(scene)) << "not the export folder the import was in";
}

TEST_F(ImportCommandTest, ARefusedFileIsShownWithItsReasonAndChangesNothing) {
  const std::string bad = DncFile("Obj_bad.dnc", Bytes{0x10, 0x40, 99, 0, 0, 0});
  DncFile("Obj_barrel.dnc", ObjectChunk("barrel", 9));
  bool error = false;
  EXPECT_EQ(Import("\"Obj_barrel.dnc\" \"Obj_bad.dnc\"", &error),
            WindowsPath(bad) + ": the chunk's size field says 99 bytes, but the file holds 6");
  EXPECT_TRUE(error);
  EXPECT_EQ(form.Document().CountByChunkID(kObjectChunk), 2);
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "model")), (Texts{"crate"}));
}

TEST_F(ImportCommandTest, CancelChangesNothing) {
  ClickCheckBox(tree(), nodes().objects);
  trace.TakeLines();
  WhenShown cancel(kOpenCaption, CancelDialog);
  ChooseMenu("Edit", "import..");
  EXPECT_TRUE(cancel.Done());
  EXPECT_TRUE(trace.TakeLines().empty());
  EXPECT_EQ(nodes().objects->Check(), toolkit::CheckState::Checked);
}

}  // namespace

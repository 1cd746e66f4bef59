#include <filesystem>
#include <memory>

#include "editing/StatusText.h"
#include "os/WideText.h"
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

constexpr char kStringCaption[] = "TStringDialog: additional";

class ChunkCommandsTest : public EditorTest {
 protected:
  // Loads the scene and opens every node, so that the mouse reaches them all.
  void LoadShown(const Bytes& file) {
    ASSERT_EQ(Load(file), "");
    Expand(nodes().scene2);
  }

  void Expand(SceneNode* node) {
    tree().Expand(*node);
    for (SceneNode* child : Children(node)) Expand(child);
  }

  // "export selected"; gives the summary that it shows.
  std::string Export() {
    std::string summary;
    WhenShown read("tool", [&summary](HWND box) {
      summary = MessageBoxText(box);
      PostOk(box);
    });
    ChooseMenu("Edit", "export selected");
    EXPECT_TRUE(read.Done());
    return summary;
  }

  std::string Summary(int written) {
    return std::to_string(written) + " files was created\rFolder: " + form.DncFolder();
  }
  Texts Exported() { return ScratchFolder::FileNamesOf(form.DncFolder()); }
  Bytes ExportedBytes(const std::string& name) { return ReadFileBytes(form.DncFolder() + name); }

  // Right-clicks the node and picks "Rename" in the tree menu; the dialog
  // then gets `typed` and "Ok". Gives the window that owns the dialog.
  // A name refused brings the dialog back, offering it (`offeredAgain`):
  // it is cancelled then.
  HWND Rename(SceneNode* node, const char* typed) {
    HWND owner = nullptr;
    WhenShown menu(kPopupMenuClass, PickMenuItem(0));
    std::unique_ptr<WhenShown> again;
    WhenShown answer(kStringCaption, [this, typed, &owner, &again](HWND dialog) {
      owner = GetWindow(dialog, GW_OWNER);
      SetWindowTextW(FindWindowExA(dialog, nullptr, "Edit", nullptr), os::Widen(typed).c_str());
      again = std::make_unique<WhenShown>(kStringCaption, [this](HWND shown) {
        offeredAgain = TextOf(FindWindowExA(shown, nullptr, "Edit", nullptr));
        SendClick(ChildWithText(shown, "Button", "Cancel"));
      });
      SendClick(ChildWithText(dialog, "Button", "Ok"));
    });
    RightClickNode(tree(), node);
    PumpMessages();
    EXPECT_TRUE(menu.Done());
    EXPECT_TRUE(answer.Done());
    return owner;
  }

  std::string offeredAgain;

  // Types into the search field, clicks "find" and picks the search menu's
  // item; gives where the menu showed.
  RECT Find(const char* text, int item) {
    SetWindowTextW(FindWindowExA(form.Handle(), nullptr, "Edit", nullptr), os::Widen(text).c_str());
    RECT shown{};
    WhenShown menu(kPopupMenuClass, [&shown, item](HWND window) {
      GetWindowRect(window, &shown);
      PickMenuItem(item)(window);
    });
    SendClick(FindWindowExA(form.Handle(), nullptr, "Button", "find"));
    PumpMessages();
    EXPECT_TRUE(menu.Done());
    return shown;
  }

  SceneNode* Object(const char* folder, const char* name) { return Child(Child(nodes().objects, folder), name); }
};

const Bytes kHorn = ObjectChunk("horn", 4);
const Bytes kCrate = ObjectChunk("crate", 9);

}  // namespace

TEST_F(ChunkCommandsTest, ExportWithNothingCheckedMakesTheFolderAndReportsNone) {
  LoadShown(Scene({Objects({kCrate})}));
  EXPECT_EQ(Export(), Summary(0));
  EXPECT_TRUE(std::filesystem::is_directory(form.DncFolder()));
  EXPECT_TRUE(Exported().empty());
}

TEST_F(ChunkCommandsTest, ExportWritesACheckedChunkByteForByte) {
  LoadShown(Scene({Objects({kCrate, kHorn})}));
  ClickCheckBox(tree(), Object("sound", "horn"));
  EXPECT_EQ(Export(), Summary(1));
  EXPECT_EQ(Exported(), (Texts{"Obj_horn.dnc"}));
  EXPECT_EQ(ExportedBytes("Obj_horn.dnc"), kHorn);
}

TEST_F(ChunkCommandsTest, ExportOfADefinitionTakesItsObjectAlong) {
  LoadShown(Scene({Objects({ObjectChunk("door1", 9)}), Definitions({DefinitionChunk("door1", 6)})}));
  ClickCheckBox(tree(), Child(Child(nodes().definitions, "door"), "door1"));
  EXPECT_EQ(Export(), Summary(2));
  EXPECT_EQ(Exported(), (Texts{"Dfn_door1.dnc", "Obj_door1.dnc"}));
}

TEST_F(ChunkCommandsTest, ExportOfTheWholeSceneWritesAFileForEveryChunk) {
  // Two chunks of one name no longer end in one file: the second gets a number.
  const Bytes secondCrate = ObjectChunk("crate", 4);
  LoadShown(Scene({Objects({kCrate, secondCrate}), Definitions({DefinitionChunk("door1", 6)}),
                   VisualEffects({VisualEffectChunk("fog")}), InitScripts({InitScriptChunk("start")})}));
  ClickCheckBox(tree(), nodes().scene2);
  EXPECT_EQ(Export(), Summary(5));
  EXPECT_EQ(Exported(),
            (Texts{"Dfn_door1.dnc", "InitSc_start.dnc", "Obj_crate (2).dnc", "Obj_crate.dnc", "VisEff_fog.dnc"}));
  EXPECT_EQ(ExportedBytes("Obj_crate.dnc"), kCrate);
  EXPECT_EQ(ExportedBytes("Obj_crate (2).dnc"), secondCrate);
}

TEST_F(ChunkCommandsTest, ExportWritesNothingOutsideItsFolderAndCountsWhatItCouldNotWrite) {
  // Each way out of the export folder, aimed into the scratch folder that
  // holds it: a name that escaped would land there, and nowhere else.
  const std::string absolute = WindowsPath(scratch.Path("escape"));
  LoadShown(Scene({Objects({ObjectChunk("..\\..\\escape", 9), ObjectChunk(absolute, 9), ObjectChunk("sub/escape", 9),
                            ObjectChunk("a:b", 9), ObjectChunk("x?y", 9), ObjectChunk("ok", 9)})}));
  ClickCheckBox(tree(), nodes().scene2);
  EXPECT_EQ(Export(), Summary(1) + "\r5 files could not be written");
  EXPECT_EQ(Exported(), (Texts{"Obj_ok.dnc"}));
  EXPECT_EQ(scratch.FileNames(), (Texts{"program", "scene2.bin"}));
  EXPECT_EQ(ScratchFolder::FileNamesOf(scratch.Path("program")), (Texts{"DNCes"}));
}

TEST_F(ChunkCommandsTest, DeleteRemovesEveryCheckedChunkAndKeepsTheSectionNode) {
  LoadShown(Scene({Objects({kCrate}), VisualEffects({VisualEffectChunk("fog"), VisualEffectChunk("rain")})}));
  ClickCheckBox(tree(), nodes().visualEffects);
  ChooseMenu("Edit", "delete selected");
  EXPECT_EQ(form.Document().CountByChunkID(kVisualEffectChunk), 0);
  EXPECT_EQ(nodes().visualEffects->FirstChild(), nullptr);
  EXPECT_EQ(nodes().visualEffects->Text(), "Visual effects");
  EXPECT_EQ(form.Document().CountByChunkID(kObjectChunk), 1);
}

TEST_F(ChunkCommandsTest, DeleteThenSaveWritesTheSceneWithoutTheChunk) {
  LoadShown(Scene({Objects({kCrate, kHorn})}));
  ClickCheckBox(tree(), Object("model", "crate"));
  ChooseMenu("Edit", "delete selected");
  EXPECT_EQ(ChildTexts(nodes().objects), (Texts{"model", "sound"}));  // an emptied folder stays
  EXPECT_EQ(Child(nodes().objects, "model")->FirstChild(), nullptr);
  ASSERT_TRUE(form.Document().Core().Save(scratch.Path("saved.bin")).ok());
  EXPECT_EQ(ReadFileBytes(scratch.Path("saved.bin")), Scene({Objects({kHorn})}));
}

TEST_F(ChunkCommandsTest, DeleteKeepsUncheckedChunksOfACheckedFolderInTheDocument) {
  LoadShown(Scene({Objects({kCrate, ObjectChunk("barrel", 9)})}));
  ClickCheckBox(tree(), Child(nodes().objects, "model"));
  ClickCheckBox(tree(), Object("model", "barrel"));  // unchecks the folder too
  model().SetCheck(*Child(nodes().objects, "model"), toolkit::CheckState::Checked);
  ChooseMenu("Edit", "delete selected");
  EXPECT_EQ(nodes().objects->FirstChild(), nullptr);
  ASSERT_EQ(form.Document().CountByChunkID(kObjectChunk), 1);
  EXPECT_EQ(GetChunkName(form.Document().Core().Objects().At(0)->chunk.Bytes()), "barrel");
}

TEST_F(ChunkCommandsTest, AFailedDeleteIsShownAndWhatWentBeforeStaysDeleted) {
  LoadShown(Scene({Objects({kCrate, DefinitionChunk("stray", 4)})}));
  ClickCheckBox(tree(), nodes().scene2);
  std::string message;
  WhenShown read("tool", [&message](HWND box) {
    message = MessageBoxText(box);
    PostOk(box);
  });
  ChooseMenu("Edit", "delete selected");
  EXPECT_EQ(message, "qScene2bin.DeleteDNC( const Chunk: PStream ): integer; incorrect param.");
  EXPECT_EQ(nodes().objects->FirstChild(), nullptr);
  EXPECT_EQ(ChildTexts(Child(nodes().definitions, "car")), (Texts{"stray"}));
  EXPECT_EQ(form.Document().CountByChunkID(kObjectChunk), 1);
}

TEST_F(ChunkCommandsTest, RenameFromTheTreeMenuRenamesTheNodeUnderTheMouse) {
  LoadShown(Scene({Objects({kCrate, kHorn})}));
  SceneNode* horn = Object("sound", "horn");
  const ChunkId identity = horn->chunk;
  const Chunk bytesBefore = form.Document().Core().Get(identity).chunk;
  Rename(horn, "siren");
  EXPECT_EQ(horn->Text(), "siren");
  EXPECT_EQ(tree().Selected(), horn);
  EXPECT_EQ(horn->chunk, identity) << "a rename keeps the chunk's identity";
  EXPECT_EQ(horn->chunk, form.Document().Core().Objects().At(1)->id);
  EXPECT_FALSE(form.Document().Core().Objects().At(1)->chunk == bytesBefore) << "and gives it new bytes";
  EXPECT_EQ(GetChunkName(form.Document().Core().Objects().At(1)->chunk.Bytes()), "siren");
  ClickCheckBox(tree(), horn);
  EXPECT_EQ(Export(), Summary(1));
  EXPECT_EQ(Exported(), (Texts{"Obj_siren.dnc"}));
}

TEST_F(ChunkCommandsTest, RenameToATakenNameIsRefusedWithTheDocumentsMessage) {
  LoadShown(Scene({Objects({kCrate, kHorn})}));
  std::wstring message;
  WhenShown read("tool", [&message](HWND box) {
    message = MessageBoxWideText(box);
    PostOk(box);
  });
  SceneNode* horn = Object("sound", "horn");
  const ChunkId before = horn->chunk;
  const Chunk bytesBefore = form.Document().Core().Get(before).chunk;
  Rename(horn, "crate");
  EXPECT_EQ(message, L"Совпадение имён.");
  EXPECT_EQ(offeredAgain, "crate") << "the dialog back with the name typed, to mend";
  EXPECT_EQ(horn->Text(), "horn");
  EXPECT_EQ(horn->chunk, before);
  EXPECT_TRUE(form.Document().Core().Get(before).chunk == bytesBefore);
}

TEST_F(ChunkCommandsTest, TheDocumentsDialogsAndBoxBelongToTheMainWindow) {
  // Without an owner each would get a taskbar button of its own and could
  // fall behind the disabled main window, which then looks frozen.
  LoadShown(Scene({Objects({kCrate, kHorn})}));
  HWND boxOwner = nullptr;
  WhenShown read("tool", [&boxOwner](HWND box) {
    boxOwner = GetWindow(box, GW_OWNER);
    PostOk(box);
  });
  EXPECT_EQ(Rename(Object("sound", "horn"), "crate"), form.Handle());
  EXPECT_EQ(boxOwner, form.Handle());
  EXPECT_EQ(GetWindow(FindWindowA(nullptr, "TOverwriteDialog: additional"), GW_OWNER), form.Handle());
}

TEST_F(ChunkCommandsTest, ACloseAskedForWhileACommandRunsWaitsUntilItHasEnded) {
  LoadShown(Scene({Objects({kCrate, kHorn})}));
  trace.TakeLines();
  HWND window = form.Handle();
  bool openWhileAsked = false;
  WhenShown read("tool", [&](HWND box) {
    // As logging off, or taskkill without /F, asks while the box is up.
    SendMessageA(window, WM_CLOSE, 0, 0);
    openWhileAsked = IsWindow(window) && form.Document().CountByChunkID(kObjectChunk) == 2;
    PostOk(box);
  });
  Rename(Object("sound", "horn"), "crate");
  EXPECT_TRUE(openWhileAsked);
  EXPECT_FALSE(IsWindow(window)) << "the close is carried out once the command has ended";
  const Texts lines = trace.TakeLines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[lines.size() - 3].rfind("qScene2bin.ReplaceChunkData: ", 0), 0u) << lines[lines.size() - 3];
  EXPECT_EQ(lines[lines.size() - 2], "qScene2bin.RenameChunk: qScene2bin.RenameChunk: newName=Null")
      << "the dialog that came back cancelled";
  EXPECT_EQ(lines.back(), "* qScene2bin.clear done *");
}

TEST_F(ChunkCommandsTest, RenameOfAFolderOrAScriptAsksNothing) {
  LoadShown(Scene({Objects({kCrate}), InitScripts({InitScriptChunk("start")})}));
  for (SceneNode* node : {Child(nodes().objects, "model"), Child(nodes().initScripts, "start")}) {
    WhenShown unexpected(kStringCaption, [](HWND dialog) { SendClick(ChildWithText(dialog, "Button", "Cancel")); });
    tree().Select(node);
    form.RenameSelected();
    EXPECT_FALSE(unexpected.Done());
    EXPECT_NE(node->Text(), "");
  }
}

TEST_F(ChunkCommandsTest, FindSelectsTheFirstNodeThatStartsWithTheText) {
  LoadShown(Scene({Objects({ObjectChunk("barrel", 9), ObjectChunk("crane", 4), ObjectChunk("crate", 9)}),
                   Definitions({DefinitionChunk("crate", 6)})}));
  const RECT shown = Find("cra", 0);
  EXPECT_EQ(tree().Selected(), Object("model", "crate"));
  RECT window{};
  GetWindowRect(form.Handle(), &window);
  EXPECT_EQ(shown.left, window.left + 216 + 10);
  EXPECT_EQ(shown.top, window.top + 584 + 60);

  Find("cra", 1);
  EXPECT_EQ(tree().Selected(), Child(Child(nodes().definitions, "door"), "crate"));
}

TEST_F(ChunkCommandsTest, FindIgnoresCaseMismatchesAndAnEmptyText) {
  LoadShown(Scene({Objects({kCrate})}));
  tree().Select(nodes().scene2);
  Find("Cra", 0);
  EXPECT_EQ(tree().Selected(), nodes().scene2);
  Find("", 0);
  EXPECT_EQ(tree().Selected(), nodes().scene2);
}

TEST_F(ChunkCommandsTest, ALongExportShowsItsProgressAndStopsAtCancelKeepingWhatItWrote) {
  Bytes objects;
  for (int index = 0; index < 3000; ++index) {
    const Bytes object = ObjectChunk("object" + std::to_string(index), 9);
    objects.insert(objects.end(), object.begin(), object.end());
  }
  ASSERT_EQ(Load(SceneFile({ChunkOf(0x0001, {}), ChunkOf(0x4000, objects)})), "");
  ClickCheckBox(tree(), nodes().objects);
  bool ownerDisabled = false;
  std::string count;
  WhenShown cancel("Exporting", [&](HWND progress) {
    ownerDisabled = !IsWindowEnabled(form.Handle());
    count = TextOf(FindWindowExA(progress, nullptr, "Static", nullptr));
    SendClick(ChildWithText(progress, "Button", "Cancel"));
  });
  const std::string summary = Export();
  EXPECT_TRUE(cancel.Done()) << "an export that takes more than a second shows its progress";
  EXPECT_TRUE(ownerDisabled);
  EXPECT_NE(count.find(" of 3000 files"), std::string::npos) << count;
  const size_t written = Exported().size();
  EXPECT_GT(written, 0u);
  EXPECT_LT(written, 3000u) << "stopped at Cancel";
  const std::string cancelled = "Export cancelled after " + Grouped(written) + " of 3,000 files";
  EXPECT_EQ(summary, cancelled + "\rFolder: " + form.DncFolder());
  EXPECT_EQ(StatusPart(2), cancelled);
  EXPECT_TRUE(IsWindowEnabled(form.Handle()));
}

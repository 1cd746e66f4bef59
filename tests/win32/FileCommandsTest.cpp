#include "os/WideText.h"
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
constexpr char kSaveCaption[] = "Save As";

const Texts kGoodLoadTrace = {
    "* qScene2bin.clear done *",
    "qScene2bin.ReadFromFile: file open",
    "TqScene2bin.ReadHeadFromStream: 0001 - done",
    "qScene2bin.ReadFromFile: reading head - done",
    "qScene2bin.ReadSectionsFromStream BeginOffs: 14",
    "qScene2bin.ReadSectionsFromStream sectionSize: 52",
    "qScene2bin.ReadSectionsFromStream - done",
    "qScene2bin.ReadFromFile: reading sections - done",
    "objects: 1",
    "difinition: 0",
    "init scripts: 0",
};

class FileCommandsTest : public EditorTest {
 protected:
  FileCommandsTest() {
    WriteFileBytes(good, kGoodScene);
    WriteFileBytes(bad, Text("not a scene at all"));
  }

  // Files dropped on the window as the shell drops them, and handled.
  void Drop(std::initializer_list<std::string> paths) {
    std::vector<std::wstring> wide;
    for (const std::string& path : paths) wide.push_back(os::Widen(WindowsPath(path)));
    PostDroppedFiles(form.Handle(), wide);
    PumpMessages();
  }

  // Runs `command`; gives the text of the error box that it showed, if any.
  static std::string ErrorShownBy(const std::function<void()>& command) {
    std::string text;
    WhenShown box("tool", [&text](HWND window) {
      if (ShowsIcon(window, IDI_ERROR)) text = MessageBoxText(window);
      PostOk(window);
    });
    command();
    return text;
  }

  const Bytes kGoodScene = Scene({Objects({ObjectChunk("crate", 9)})});
  const std::string good = scratch.Path("good.bin");
  const std::string bad = scratch.Path("bad.bin");
};

}  // namespace

TEST_F(FileCommandsTest, OpenLoadsTheChosenFileAndFillsTheTree) {
  OpenFile(good);
  EXPECT_EQ(trace.TakeLines(), kGoodLoadTrace);
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "model")), (Texts{"crate"}));
}

TEST_F(FileCommandsTest, CancelledOpenRebuildsTheTreeFromTheSameDocument) {
  OpenFile(good);
  ClickCheckBox(tree(), nodes().objects);
  trace.TakeLines();
  WhenShown cancel(kOpenCaption, CancelDialog);
  ChooseMenu("File", "open..");
  EXPECT_TRUE(cancel.Done());
  EXPECT_TRUE(trace.TakeLines().empty());
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "model")), (Texts{"crate"}));
  EXPECT_EQ(nodes().objects->Check(), toolkit::CheckState::Unchecked);
}

TEST_F(FileCommandsTest, SaveWithNoSceneLoadedDoesNothing) {
  for (const bool afterAFailedOpen : {false, true}) {
    SCOPED_TRACE(afterAFailedOpen ? "after a failed open" : "before any");
    if (afterAFailedOpen) OpenFile(bad);
    trace.TakeLines();
    WhenShown unexpected(kSaveCaption, CancelDialog);
    ChooseMenu("File", "save");
    ChooseMenu("File", "save as..");
    PumpMessages();
    EXPECT_FALSE(unexpected.Done());
    EXPECT_TRUE(trace.TakeLines().empty());
  }
  EXPECT_EQ(ReadFileBytes(bad), Text("not a scene at all"));
}

TEST_F(FileCommandsTest, SaveAfterOpenWritesBackWithoutADialog) {
  OpenFile(good);
  WriteFileBytes(good, Text("changed on disk"));
  trace.TakeLines();
  WhenShown unexpected(kSaveCaption, CancelDialog);
  ChooseMenu("File", "save");
  EXPECT_FALSE(unexpected.Done());
  EXPECT_EQ(trace.TakeLines(), (Texts{"TqScene2bin.WriteToFile - done"}));
  EXPECT_EQ(ReadFileBytes(good), kGoodScene);
}

TEST_F(FileCommandsTest, SaveAfterAnOpenThatReadPartAsksForAName) {
  const std::string cut = scratch.Path("cut.bin");
  const Bytes cutScene(kGoodScene.begin(), kGoodScene.end() - 1);
  WriteFileBytes(cut, cutScene);
  OpenFile(good);
  OpenFile(cut);
  WhenShown cancel(kSaveCaption, CancelDialog);
  trace.TakeLines();
  ChooseMenu("File", "save");
  EXPECT_TRUE(cancel.Done()) << "never the file that did not load whole, nor the one before";
  EXPECT_TRUE(trace.TakeLines().empty());
  EXPECT_EQ(ReadFileBytes(cut), cutScene);
  EXPECT_EQ(ReadFileBytes(good), kGoodScene);
}

TEST_F(FileCommandsTest, FailedOpenTracesAndShowsWhatWasRead) {
  OpenFile(bad);
  EXPECT_EQ(trace.TakeLines(), (Texts{"* qScene2bin.clear done *", "qScene2bin.ReadFromFile: file open",
                                      "scene2.bin: incorrect file signature",
                                      "qScene2bin.ReadFromFile: qScene2bin.ReadFromFile: cant read header"}));
  EXPECT_EQ(model().Count(), 5u);
}

TEST_F(FileCommandsTest, SaveAsWritesToANameThatDoesNotExistYetWithoutAsking) {
  OpenFile(good);
  trace.TakeLines();
  const std::string fresh = scratch.Path("fresh.bin");
  WhenShown choose(kSaveCaption, [&](HWND dialog) {
    WhenShown unexpected(OwnedBy(dialog), PostOk);
    ChooseFile(dialog, WindowsPath(fresh));
    EXPECT_FALSE(unexpected.Done()) << "no question for a new file";
  });
  ChooseMenu("File", "save as..");
  EXPECT_TRUE(choose.Done());
  EXPECT_EQ(ReadFileBytes(fresh), kGoodScene);
  EXPECT_EQ(trace.TakeLines(), (Texts{"TqScene2bin.WriteToFile - done"}));
}

TEST_F(FileCommandsTest, SaveAsOverAnExistingFileAsksFirstThenBecomesTheFileOfSave) {
  OpenFile(good);
  const std::string other = scratch.Path("other.bin");
  WriteFileBytes(other, Text("old"));
  trace.TakeLines();
  bool asked = false;
  WhenShown choose(kSaveCaption, [&](HWND dialog) {
    WhenShown replace(OwnedBy(dialog), [&](HWND box) {
      asked = true;
      PostMessageA(box, WM_COMMAND, IDYES, 0);
    });
    ChooseFile(dialog, WindowsPath(other));
  });
  ChooseMenu("File", "save as..");
  EXPECT_TRUE(asked);
  EXPECT_EQ(ReadFileBytes(other), kGoodScene);
  WriteFileBytes(other, Text("old"));
  ChooseMenu("File", "save");
  EXPECT_EQ(ReadFileBytes(other), kGoodScene);
  EXPECT_EQ(trace.TakeLines(), (Texts{"TqScene2bin.WriteToFile - done", "TqScene2bin.WriteToFile - done"}));
}

TEST_F(FileCommandsTest, AFailedSaveShowsWhyAndSaveThenTriesTheNameChosenAgainNotTheFileOpened) {
  OpenFile(good);
  const std::string other = scratch.Path("other.bin");
  WriteFileBytes(other, Text("old"));
  SetFileAttributesW(os::Widen(other).c_str(), FILE_ATTRIBUTE_READONLY);
  trace.TakeLines();
  WhenShown choose(kSaveCaption, [&](HWND dialog) {
    WhenShown replace(OwnedBy(dialog), [](HWND box) { PostMessageA(box, WM_COMMAND, IDYES, 0); });
    ChooseFile(dialog, WindowsPath(other));
  });
  const std::string whyNot = "Cannot save " + WindowsPath(other) + ": the file is read-only";
  EXPECT_EQ(ErrorShownBy([this] { ChooseMenu("File", "save as.."); }), whyNot);
  EXPECT_TRUE(choose.Done());
  WriteFileBytes(good, Text("changed on disk"));
  WhenShown unexpected(kSaveCaption, CancelDialog);
  EXPECT_EQ(ErrorShownBy([this] { ChooseMenu("File", "save"); }), whyNot);
  EXPECT_FALSE(unexpected.Done());
  EXPECT_EQ(trace.TakeLines(),
            (Texts{"qScene2bin.WriteToFile: the file is read-only", "qScene2bin.WriteToFile: the file is read-only"}));
  EXPECT_EQ(ReadFileBytes(good), Text("changed on disk"));
  EXPECT_EQ(ReadFileBytes(other), Text("old"));
  SetFileAttributesW(os::Widen(other).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FileCommandsTest, AFillErrorIsShownInABoxAndTheTreeKeepsWhatWasFilled) {
  WriteFileBytes(good, Scene({Objects({ObjectChunk("crate", 9), ObjectChunk("ghost", 1)})}));
  std::string message;
  bool errorIcon = false;
  WhenShown read("tool", [&](HWND box) {
    message = MessageBoxText(box);
    errorIcon = ShowsIcon(box, IDI_ERROR);
    PostOk(box);
  });
  OpenFile(good);
  EXPECT_EQ(message, "Unknown object 0x00000001");
  EXPECT_TRUE(errorIcon);
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "model")), (Texts{"crate"}));
}

TEST_F(FileCommandsTest, AFileDroppedOnTheWindowOpensAsOpenDoesAndTheDialogThenOffersIt) {
  // A name with a space and a letter outside ASCII, which the shell hands over in UTF-16.
  const std::string dropped = scratch.Path("dropped é.bin");
  WriteFileBytes(dropped, kGoodScene);
  Drop({dropped});
  EXPECT_EQ(trace.TakeLines(), kGoodLoadTrace);
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "model")), (Texts{"crate"}));

  std::string offered;
  WhenShown read(kOpenCaption, [&offered](HWND dialog) {
    offered = TextOf(FileNameField(dialog));
    CancelDialog(dialog);
  });
  ChooseMenu("File", "open..");
  EXPECT_EQ(offered, "dropped é.bin") << "in the dropped file's folder";
}

TEST_F(FileCommandsTest, ADroppedFileThatFailsToLoadIsAFailedOpen) {
  OpenFile(good);
  trace.TakeLines();
  Drop({bad, good});
  EXPECT_EQ(trace.TakeLines(), (Texts{"* qScene2bin.clear done *", "qScene2bin.ReadFromFile: file open",
                                      "scene2.bin: incorrect file signature",
                                      "qScene2bin.ReadFromFile: qScene2bin.ReadFromFile: cant read header"}))
      << "only the first file dropped";
  EXPECT_EQ(model().Count(), 5u);
  WhenShown unexpected(kSaveCaption, CancelDialog);
  ChooseMenu("File", "save");
  EXPECT_FALSE(unexpected.Done());
  EXPECT_EQ(ReadFileBytes(bad), Text("not a scene at all"));
}

TEST_F(FileCommandsTest, AFileDroppedWhileADialogIsUpIsLeftAlone) {
  WriteFileBytes(good, kGoodScene);
  WhenShown dropMeanwhile(kOpenCaption, [this](HWND dialog) {
    Drop({good});
    CancelDialog(dialog);
  });
  ChooseMenu("File", "open..");
  EXPECT_TRUE(dropMeanwhile.Done());
  PumpMessages();
  EXPECT_TRUE(trace.TakeLines().empty());
  EXPECT_EQ(model().Count(), 5u);
}

// The main window's keys, pressed on the keyboard as a user presses them.
#include "os/WideText.h"
#include "tests/win32/EditorFixture.h"
// After <windows.h>, which it needs.
#include <dlgs.h>

#include "tools/gui/FileDialogs.h"
#include "tools/gui/Input.h"
#include "tools/gui/MessageBoxes.h"
#include "tools/gui/WhenShown.h"
#include "tools/gui/WindowSearch.h"

namespace {

using Texts = std::vector<std::string>;
using toolkit::Ctrl;
using toolkit::CtrlShift;
using toolkit::Shortcut;

constexpr char kStringCaption[] = "TStringDialog: additional";

class KeyboardTest : public EditorTest {
 protected:
  KeyboardTest() {
    SetForegroundWindow(form.Handle());
    SetFocus(tree().Handle());
  }

  // The key pressed with the focus where it is, and handled by the loop.
  void Press(const Shortcut& key) {
    PressKey(key);
    PumpMessages();
  }

  HWND SearchField() const { return FindWindowExA(form.Handle(), nullptr, "Edit", nullptr); }
  bool SearchTextSelected() const {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(SearchField(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start == 0 && end == static_cast<DWORD>(GetWindowTextLengthA(SearchField()));
  }
  SceneNode* Object(const char* folder, const char* name) { return Child(Child(nodes().objects, folder), name); }

  const Bytes kScene = Scene({Objects({ObjectChunk("barrel", 9), ObjectChunk("crane", 4), ObjectChunk("crate", 9)}),
                              Definitions({DefinitionChunk("crate", 6)})});
};

}  // namespace

TEST_F(KeyboardTest, FileAndEditKeysRunTheirItems) {
  const std::string path = scratch.Path("scene.bin");
  WriteFileBytes(path, kScene);
  WhenShown open("Open", [&path](HWND dialog) { ChooseFile(dialog, WindowsPath(path)); });
  Press(Ctrl('O'));
  ASSERT_TRUE(open.Done());
  ASSERT_NE(Object("model", "crate"), nullptr);

  WriteFileBytes(path, Text("changed on disk"));
  trace.TakeLines();
  Press(Ctrl('S'));
  EXPECT_EQ(trace.TakeLines(), (Texts{"TqScene2bin.WriteToFile - done"}));
  EXPECT_EQ(ReadFileBytes(path), kScene);

  WhenShown saveAs("Save As", CancelDialog);
  Press(CtrlShift('S'));
  EXPECT_TRUE(saveAs.Done());

  std::string summary;
  WhenShown exported("tool", [&summary](HWND box) {
    summary = MessageBoxText(box);
    PostOk(box);
  });
  Press(Ctrl('E'));
  EXPECT_EQ(summary, "0 files was created\rFolder: " + form.DncFolder());

  std::string filter;
  WhenShown import("Open", [&filter](HWND dialog) {
    filter = TextOf(GetDlgItem(dialog, cmb1));
    CancelDialog(dialog);
  });
  Press(Ctrl('I'));
  EXPECT_EQ(filter, "dnc file (*.dnc)");
}

TEST_F(KeyboardTest, CtrlSWhoseSaveFailsShowsWhyInABox) {
  const std::string path = scratch.Path("scene.bin");
  WriteFileBytes(path, kScene);
  OpenFile(path);
  SetFileAttributesW(os::Widen(path).c_str(), FILE_ATTRIBUTE_READONLY);
  std::string failure;
  bool errorIcon = false;
  WhenShown shown("tool", [&](HWND box) {
    failure = MessageBoxText(box);
    errorIcon = ShowsIcon(box, IDI_ERROR);
    PostOk(box);
  });
  Press(Ctrl('S'));
  SetFileAttributesW(os::Widen(path).c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(failure, "Cannot save " + WindowsPath(path) + ": the file is read-only");
  EXPECT_TRUE(errorIcon);
  EXPECT_EQ(ReadFileBytes(path), kScene);
}

TEST_F(KeyboardTest, CtrlZUndoesAndCtrlYAndCtrlShiftZRedo) {
  ASSERT_EQ(Load(kScene), "");
  tree().Select(nodes().objects);
  model().SetCheck(*Child(nodes().objects, "sound"), toolkit::CheckState::Checked);
  model().SetCheck(*Object("sound", "crane"), toolkit::CheckState::Checked);
  ChooseMenu("Edit", "delete selected");
  trace.TakeLines();
  SetFocus(tree().Handle());
  Press(Ctrl('Z'));
  Press(CtrlShift('Z'));
  Press(Ctrl('Z'));
  Press(Ctrl('Y'));
  EXPECT_EQ(trace.TakeLines(), (Texts{"qScene2bin.Undo: delete of 1 chunk", "qScene2bin.Redo: delete of 1 chunk",
                                      "qScene2bin.Undo: delete of 1 chunk", "qScene2bin.Redo: delete of 1 chunk"}));
  Press(Ctrl('Y'));  // greyed: nothing more to redo
  EXPECT_TRUE(trace.TakeLines().empty());
}

TEST_F(KeyboardTest, AGreyedItemsKeyDoesNothing) {
  WhenShown unexpected("Save As", CancelDialog);
  Press(Ctrl('S'));
  Press(CtrlShift('S'));
  EXPECT_FALSE(unexpected.Done());
  EXPECT_TRUE(trace.TakeLines().empty());
}

TEST_F(KeyboardTest, F2RenamesTheSelectedNodeWhereRenameWorks) {
  ASSERT_EQ(Load(kScene), "");
  {
    WhenShown unexpected(kStringCaption, CancelDialog);
    tree().Select(Child(nodes().objects, "model"));
    Press({VK_F2});
    EXPECT_FALSE(unexpected.Done()) << "a folder has no name of its own";
  }

  // Rename was greyed for the folder: the key finds it enabled again.
  WhenShown answer(kStringCaption, [](HWND dialog) {
    SetWindowTextW(FindWindowExA(dialog, nullptr, "Edit", nullptr), L"siren");
    SendClick(ChildWithText(dialog, "Button", "Ok"));
  });
  SceneNode* crate = Object("model", "crate");
  tree().Select(crate);
  Press({VK_F2});
  EXPECT_TRUE(answer.Done());
  EXPECT_EQ(crate->Text(), "siren");
}

TEST_F(KeyboardTest, KeysDoNothingInTheMainWindowWhileADialogOrABoxIsUp) {
  ASSERT_EQ(Load(kScene), "");
  SceneNode* crate = Object("model", "crate");
  const struct {
    const char* what;
    Shortcut opens;
    const char* caption;
    Shortcut closes;
  } cases[] = {
      {"the rename dialog", {VK_F2}, kStringCaption, {VK_ESCAPE}},
      {"the export's box", Ctrl('E'), "tool", {VK_RETURN}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    tree().Select(crate);
    SetFocus(tree().Handle());
    WhenShown unexpected("Open", CancelDialog);
    WhenShown keys(c.caption, [&c](HWND) {
      PressKey(Ctrl('O'));
      PressKey({VK_F3});
      PressKey(c.closes);
    });
    Press(c.opens);
    EXPECT_TRUE(keys.Done());
    EXPECT_FALSE(unexpected.Done());
    EXPECT_EQ(tree().Selected(), crate);
    EXPECT_EQ(crate->Text(), "crate");
  }
}

TEST_F(KeyboardTest, CtrlFPutsTheFocusInTheSearchFieldWithItsTextSelectedFromWhereverTheFocusIs) {
  SetWindowTextW(SearchField(), L"cra");
  for (HWND focus : {tree().Handle(), FindWindowExA(form.Handle(), nullptr, "Button", "objects")}) {
    SCOPED_TRACE(ClassOf(focus));
    SetFocus(focus);
    Press(Ctrl('F'));
    EXPECT_EQ(GetFocus(), SearchField());
    EXPECT_TRUE(SearchTextSelected());
  }
}

TEST_F(KeyboardTest, EnterInTheSearchFieldFindsInTheObjects) {
  ASSERT_EQ(Load(kScene), "");
  SetFocus(SearchField());
  SetWindowTextW(SearchField(), L"cra");
  Press({VK_RETURN});
  EXPECT_EQ(tree().Selected(), Object("model", "crate"));
  EXPECT_EQ(GetFocus(), SearchField());
}

TEST_F(KeyboardTest, F3FindsTheNextMatchInTheObjectsThenTheDefinitionsAndStopsAtTheEnd) {
  ASSERT_EQ(Load(kScene), "");
  SetWindowTextW(SearchField(), L"cra");
  tree().Select(nodes().scene2);
  SceneNode* definition = Child(Child(nodes().definitions, "door"), "crate");
  for (SceneNode* next : {Object("model", "crate"), Object("sound", "crane"), definition}) {
    SCOPED_TRACE(next->Text());
    Press({VK_F3});
    EXPECT_EQ(tree().Selected(), next);
  }
  EXPECT_EQ(GetFocus(), tree().Handle());

  Press({VK_F3});
  EXPECT_EQ(tree().Selected(), definition) << "no match after the last: the selection stays";
  EXPECT_EQ(GetFocus(), SearchField());
  EXPECT_TRUE(SearchTextSelected());

  tree().Select(Child(nodes().objects, "sound"));
  Press({VK_F3});
  EXPECT_EQ(tree().Selected(), Object("sound", "crane")) << "from a folder: its own nodes first";
}

TEST_F(KeyboardTest, ASearchThatFindsNothingLeavesTheSelectionAndSelectsTheSearchText) {
  ASSERT_EQ(Load(kScene), "");
  SceneNode* barrel = Object("model", "barrel");
  tree().Select(barrel);
  SetFocus(SearchField());
  SetWindowTextW(SearchField(), L"zebra");
  SendMessageA(SearchField(), EM_SETSEL, 5, 5);
  Press({VK_RETURN});
  EXPECT_EQ(tree().Selected(), barrel);
  EXPECT_EQ(TextOf(SearchField()), "zebra");
  EXPECT_TRUE(SearchTextSelected());
}

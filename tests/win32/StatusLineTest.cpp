// The caption and the status line say what the editor works on and what it
// did; the node acted on stays selected and in sight; the tree's own keys.
#include "tests/win32/EditorFixture.h"
#include "tools/gui/Input.h"
#include "tools/gui/MessageBoxes.h"
#include "tools/gui/TreeClicks.h"
#include "tools/gui/WhenShown.h"
#include "tools/gui/WindowSearch.h"

namespace {

constexpr char kDash[] = " \xE2\x80\x94 ";

class StatusLineTest : public EditorTest {
 protected:
  StatusLineTest() {
    SetForegroundWindow(form.Handle());
    SetFocus(tree().Handle());
  }

  // "open.." on the scene, written as scene2.bin, with every folder open.
  void OpenScene() {
    path = scratch.Path("scene2.bin");
    WriteFileBytes(path, kScene);
    OpenFile(path);
    for (SceneNode* section : {nodes().objects, nodes().definitions}) {
      tree().Expand(*section);
      for (SceneNode* folder : Children(section)) tree().Expand(*folder);
    }
    SetFocus(tree().Handle());  // back from the file dialog
  }
  void Press(const toolkit::Shortcut& key) {
    PressKey(key);
    PumpMessages();
  }
  // "export selected", its box answered; gives the box's text.
  std::string Export() {
    std::string summary;
    WhenShown box("tool", [&summary](HWND shown) {
      summary = MessageBoxText(shown);
      PostOk(shown);
    });
    ChooseMenu("Edit", "export selected");
    EXPECT_TRUE(box.Done());
    return summary;
  }
  // Where the node's text stands in the tree; empty when it has no item.
  RECT LineOf(const SceneNode* node) {
    RECT line{};
    HTREEITEM item = tree().ControlItem(*node);
    if (item == nullptr || !TreeView_GetItemRect(tree().Handle(), item, &line, TRUE)) return {};
    return line;
  }
  // Whether the node's line is drawn in the selection's colour, as it is now.
  bool DrawnSelected(const SceneNode* node) {
    RedrawWindow(tree().Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    const RECT text = LineOf(node);
    HDC dc = GetDC(tree().Handle());
    const COLORREF pixel = GetPixel(dc, text.left + 1, text.top + 1);
    ReleaseDC(tree().Handle(), dc);
    return pixel == GetSysColor(COLOR_HIGHLIGHT);
  }
  // Whether the node's line lies inside the tree's client area.
  bool InSight(const SceneNode* node) {
    const RECT line = LineOf(node);
    RECT client{};
    GetClientRect(tree().Handle(), &client);
    return line.bottom > line.top && line.top >= 0 && line.bottom <= client.bottom;
  }
  SceneNode* Object(const char* folder, const char* name) { return Child(Child(nodes().objects, folder), name); }

  std::string path;
  const Bytes kScene = Scene({Objects({ObjectChunk("barrel", 9), ObjectChunk("crane", 4), ObjectChunk("crate", 9)}),
                              Definitions({DefinitionChunk("door", 6)})});
};

}  // namespace

TEST_F(StatusLineTest, CaptionAndStatusLineFollowOpenEditSaveDeleteAndUndo) {
  EXPECT_EQ(TextOf(form.Handle()), "Form1");
  EXPECT_EQ(StatusPart(0), "no file");
  OpenScene();
  EXPECT_EQ(TextOf(form.Handle()), "scene2.bin - Form1");
  EXPECT_EQ(StatusPart(0), "scene2.bin");
  EXPECT_EQ(StatusPart(1), "4 chunks, 0 checked");
  EXPECT_EQ(StatusPart(2), "Opened scene2.bin: 4 chunks");

  Rename(Object("model", "crate"), "box");
  EXPECT_EQ(TextOf(form.Handle()), "scene2.bin* - Form1");
  EXPECT_EQ(StatusPart(0), "scene2.bin*");
  EXPECT_EQ(StatusPart(2), "Renamed crate to box");
  ChooseMenu("File", "save");
  EXPECT_EQ(TextOf(form.Handle()), "scene2.bin - Form1");
  EXPECT_EQ(StatusPart(2), "Saved scene2.bin");

  ClickCheckBox(tree(), Child(nodes().objects, "model"));
  EXPECT_EQ(StatusPart(1), "4 chunks, 2 checked");
  ChooseMenu("Edit", "delete selected");
  EXPECT_EQ(StatusPart(1), "2 chunks, 0 checked");
  EXPECT_EQ(StatusPart(2), std::string("Deleted 2 chunks") + kDash + "Ctrl+Z brings them back");
  EXPECT_EQ(TextOf(form.Handle()), "scene2.bin* - Form1");
  ChooseMenu("Edit", "undo");
  EXPECT_EQ(StatusPart(1), "4 chunks, 2 checked");
  EXPECT_EQ(StatusPart(2), "Undone: delete of 2 chunks");
  EXPECT_EQ(TextOf(form.Handle()), "scene2.bin - Form1") << "as saved again";
}

TEST_F(StatusLineTest, ExportSaysHowManyFilesItWrote) {
  OpenScene();
  ClickCheckBox(tree(), Child(nodes().objects, "model"));
  EXPECT_EQ(Export(), "2 files was created\rFolder: " + form.DncFolder());
  EXPECT_EQ(StatusPart(2), "Exported 2 files");
  EXPECT_EQ(TextOf(form.Handle()), "scene2.bin - Form1") << "an export changes no scene";
}

TEST_F(StatusLineTest, ACheckBoxClickLeavesTheSelectionWhereItWasAndDrawnSo) {
  OpenScene();
  tree().Select(Object("model", "crate"));
  ClickCheckBox(tree(), Object("model", "barrel"));
  PumpMessages();
  EXPECT_EQ(tree().Selected(), Object("model", "crate"));
  EXPECT_TRUE(DrawnSelected(Object("model", "crate")));
  EXPECT_FALSE(DrawnSelected(Object("model", "barrel")));
}

TEST_F(StatusLineTest, FindSelectsTheMatchInSightAndDrawnSelectedWithTheFocusInTheSearchField) {
  OpenScene();
  HWND search = FindWindowExA(form.Handle(), nullptr, "Edit", nullptr);
  SetFocus(search);
  SendTyping(search, "door");
  Press({VK_RETURN});
  // Not in the objects: the definitions then, by F3.
  Press({VK_F3});
  SceneNode* door = Child(Child(nodes().definitions, "door"), "door");
  ASSERT_EQ(tree().Selected(), door);
  EXPECT_EQ(GetFocus(), search);
  EXPECT_TRUE(InSight(door));
  EXPECT_TRUE(DrawnSelected(door));
}

TEST_F(StatusLineTest, RenameAndUndoLeaveTheirNodeSelectedAndInSight) {
  // More objects than the tree shows at once: the renamed one scrolled out.
  Bytes objects;
  for (int index = 0; index < 80; ++index) {
    const Bytes object = ObjectChunk("object" + std::to_string(index), 9);
    objects.insert(objects.end(), object.begin(), object.end());
  }
  ASSERT_EQ(Load(SceneFile({ChunkOf(0x0001, {}), ChunkOf(0x4000, objects)})), "");
  SceneNode* last = Object("model", "object79");
  Rename(last, "renamed");
  EXPECT_EQ(tree().Selected(), Object("model", "renamed"));
  tree().MakeVisible(*Object("model", "object0"));
  ChooseMenu("Edit", "undo");
  SceneNode* back = Object("model", "object79");
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(tree().Selected(), back);
  EXPECT_TRUE(InSight(back));
  EXPECT_TRUE(DrawnSelected(back));
}

TEST_F(StatusLineTest, DeleteKeyDeletesTheSelectedChunkOrElseTheCheckedOnes) {
  OpenScene();
  tree().Select(Object("model", "barrel"));
  Press({VK_DELETE});
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "model")), (std::vector<std::string>{"crate"}));
  EXPECT_EQ(StatusPart(2), std::string("Deleted 1 chunk") + kDash + "Ctrl+Z brings it back");

  ClickCheckBox(tree(), Object("model", "crate"));
  ClickCheckBox(tree(), Child(Child(nodes().definitions, "door"), "door"));
  tree().Select(Child(nodes().objects, "sound"));
  Press({VK_DELETE});
  EXPECT_EQ(StatusPart(2), std::string("Deleted 2 chunks") + kDash + "Ctrl+Z brings them back");
  EXPECT_EQ(StatusPart(1), "1 chunk, 0 checked");
  EXPECT_NE(Child(Child(nodes().objects, "sound"), "crane"), nullptr) << "the selected, unchecked, stays";
  Press({VK_DELETE});
  EXPECT_EQ(StatusPart(2), "Nothing to delete: check chunks or select one") << "a folder is no chunk";
  ChooseMenu("Edit", "delete selected");
  EXPECT_EQ(StatusPart(2), "Nothing checked to delete");

  HWND search = FindWindowExA(form.Handle(), nullptr, "Edit", nullptr);
  SetFocus(search);
  SendTyping(search, "crane");
  Press({VK_HOME});
  Press({VK_DELETE});
  EXPECT_EQ(TextOf(search), "rane") << "in the search field the key deletes a character";
  EXPECT_EQ(StatusPart(1), "1 chunk, 0 checked");
}

TEST_F(StatusLineTest, ShiftF10AndTheMenuKeyOpenTheTreeMenuForTheSelectedNode) {
  OpenScene();
  tree().Select(Object("model", "crate"));
  for (const toolkit::Shortcut key : {toolkit::Shortcut{VK_F10, false, true}, toolkit::Shortcut{VK_APPS}}) {
    std::string first;
    WhenShown menu(kPopupMenuClass, [&first](HWND shown) {
      HMENU popup = reinterpret_cast<HMENU>(SendMessageW(shown, MN_GETHMENU, 0, 0));
      first = MenuItemName(MenuItemText(popup, 0));
      PostMessageW(shown, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    Press(key);
    EXPECT_TRUE(menu.Done());
    EXPECT_EQ(first, "Rename");
  }
  EXPECT_EQ(tree().Selected(), Object("model", "crate"));
}

// Typing over a value or a leaf's bytes in the side panel, by the keyboard
// as a user does: the box that opens, what Enter, Esc and the focus leaving
// do, the refusals, and the edit that undo and redo take back and do again.
#include <cstring>

#include "os/WideText.h"
#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "scene/Hex.h"
#include "scene/LittleEndian.h"
#include "tests/win32/EditorFixture.h"
#include "tools/gui/Input.h"
#include "tools/gui/MessageBoxes.h"
#include "tools/gui/TreeClicks.h"
#include "tools/gui/WhenShown.h"
#include "tools/gui/WindowSearch.h"

namespace {

using toolkit::Ctrl;

const std::string kLantern = "\xD4\xEE\xED\xE0\xF0\xFC";  // "Фонарь" in Windows-1251
constexpr uint16_t kUnknownChunk = 0x7777;

class PanelEditing : public EditorTest {
 protected:
  void SetUp() override {
    // An unknown sub-chunk of three bytes, for the bytes that no value describes.
    const Bytes crate = ObjectChunk("crate", 9);
    const Bytes withUnknown = ChunkOf(kObjectChunk, Concat({Bytes(crate.begin() + kChunkHeaderSize, crate.end()),
                                                            ChunkOf(kUnknownChunk, {0x01, 0x02, 0x03})}));
    file_ = Scene({Objects({withUnknown, ObjectChunk(kLantern, 9)})});
    ASSERT_EQ(Load(file_), "");
    tree().MakeVisible(*Crate());
    tree().Select(Crate());
    PumpMessages();
    SetForegroundWindow(form.Handle());
  }

  SceneNode* Crate() { return Child(Child(nodes().objects, "model"), "crate"); }
  HWND View() { return form.SidePanel().StructureView().Handle(); }
  HWND Box() { return form.SidePanel().ValueBox().Handle(); }
  HWND BytesBox() { return form.SidePanel().BytesBox().Handle(); }
  ByteView CrateBytes() { return form.Document().Core().Objects().At(0)->chunk.Bytes(); }

  // The panel's item whose text holds `part`, depth first.
  HTREEITEM ItemWith(const std::string& part, HTREEITEM item = TVI_ROOT) {
    for (HTREEITEM at = TreeView_GetChild(View(), item); at != nullptr; at = TreeView_GetNextSibling(View(), at)) {
      if (TreeItemText(View(), at).find(part) != std::string::npos) return at;
      if (HTREEITEM below = ItemWith(part, at)) return below;
    }
    return nullptr;
  }
  std::string SelectedLine() { return TreeItemText(View(), TreeView_GetSelection(View())); }

  void Press(const toolkit::Shortcut& key) {
    PressKey(key);
    PumpMessages();
  }
  // Selects the line that holds `part` and opens its box with F2.
  void OpenOn(const std::string& part) {
    HTREEITEM item = ItemWith(part);
    ASSERT_NE(item, nullptr) << part;
    TreeView_SelectItem(View(), item);
    PumpMessages();
    SetFocus(View());
    Press({VK_F2});
  }
  // Types `text` (UTF-8) over what the box holds and presses Enter; gives the
  // text of the box that refused it, or "" when none did.
  std::string Enter(HWND box, const std::string& text) {
    SetWindowTextW(box, os::Widen(text).c_str());
    std::string refusal;
    WhenShown read("tool", [&refusal](HWND shown) {
      refusal = MessageBoxText(shown);
      PostOk(shown);
    });
    Press({VK_RETURN});
    return refusal;
  }

  std::string UndoItem() { return MenuItemName(MenuItemText(GetSubMenu(GetMenu(form.Handle()), 1), 0)); }
  std::string RedoItem() { return MenuItemName(MenuItemText(GetSubMenu(GetMenu(form.Handle()), 1), 1)); }

  Bytes file_;
};

float FloatAt(ByteView chunk, size_t offset) {
  const uint32_t bits = ReadU32LE(chunk.Data() + offset);
  float value = 0;
  std::memcpy(&value, &bits, 4);
  return value;
}

TEST_F(PanelEditing, APositionTypedOverIsOneEditThatUndoTakesBackByteForByte) {
  OpenOn(" position: ");
  ASSERT_TRUE(IsWindowVisible(Box()));
  EXPECT_EQ(GetFocus(), Box());
  EXPECT_EQ(TextOf(Box()), SelectedLine().substr(SelectedLine().find("position: ") + 10)) << "the value shown";

  EXPECT_EQ(Enter(Box(), "1.5, -2, 10"), "");
  EXPECT_FALSE(IsWindowVisible(Box()));
  // The position's payload: three floats after the name and type sub-chunks.
  const size_t position = kChunkHeaderSize + 12 + 10 + kChunkHeaderSize;
  EXPECT_EQ(FloatAt(CrateBytes(), position), 1.5f);
  EXPECT_EQ(FloatAt(CrateBytes(), position + 4), -2.0f);
  EXPECT_EQ(FloatAt(CrateBytes(), position + 8), 10.0f);
  EXPECT_NE(SelectedLine().find("position: 1.5, -2, 10"), std::string::npos) << "the same line, its new value";
  EXPECT_EQ(tree().Selected(), Crate());
  EXPECT_TRUE(form.Document().Core().Modified());
  EXPECT_EQ(UndoItem(), "undo position of crate");
  EXPECT_EQ(RedoItem(), "redo");

  SetFocus(View());
  Press(Ctrl('Z'));
  EXPECT_EQ(Written(form.Document().Core()), file_);
  EXPECT_FALSE(form.Document().Core().Modified());
  EXPECT_NE(SelectedLine().find("position: 0, 0, 0"), std::string::npos) << SelectedLine();
  EXPECT_EQ(UndoItem(), "undo");
  EXPECT_EQ(RedoItem(), "redo position of crate");
  Press(Ctrl('Y'));
  EXPECT_EQ(FloatAt(CrateBytes(), position), 1.5f);
}

TEST_F(PanelEditing, EscTheFocusLeavingAndAValueLeftAsItWasChangeNothing) {
  OpenOn(" position: ");
  SetWindowTextW(Box(), L"5, 5, 5");
  Press({VK_ESCAPE});
  EXPECT_FALSE(IsWindowVisible(Box()));
  EXPECT_EQ(GetFocus(), View());

  OpenOn(" position: ");
  ASSERT_TRUE(IsWindowVisible(Box()));
  SetWindowTextW(Box(), L"5, 5, 5");
  SetFocus(tree().Handle());  // a click elsewhere
  EXPECT_FALSE(IsWindowVisible(Box()));

  // Enter on the value as it was shown: no edit.
  OpenOn(" position: ");
  Press({VK_RETURN});
  EXPECT_FALSE(IsWindowVisible(Box()));
  EXPECT_FALSE(form.Document().Core().CanUndo());
  EXPECT_EQ(Written(form.Document().Core()), file_);
}

TEST_F(PanelEditing, AWrongValueIsRefusedAndTheBoxStaysOpenWithItToMend) {
  OpenOn(" position: ");
  EXPECT_EQ(Enter(Box(), "1, 2"),
            "\"1, 2\" is no value for position: it takes 3 numbers separated by \", \", each with \".\" before its "
            "decimals, such as 0, 1.5, -2.");
  EXPECT_TRUE(IsWindowVisible(Box()));
  EXPECT_EQ(GetFocus(), Box());
  EXPECT_EQ(TextOf(Box()), "1, 2");
  EXPECT_FALSE(form.Document().Core().CanUndo());

  EXPECT_EQ(Enter(Box(), "1, 2, 3"), "");
  EXPECT_FALSE(IsWindowVisible(Box()));
  EXPECT_TRUE(form.Document().Core().CanUndo());
}

TEST_F(PanelEditing, TheNameLineRenamesAndATakenNameIsRefusedAsRenameRefusesIt) {
  OpenOn(" name: crate");
  EXPECT_EQ(Enter(Box(), "Фонарь"), "Совпадение имён.");
  EXPECT_TRUE(IsWindowVisible(Box()));
  EXPECT_EQ(TextOf(Box()), "Фонарь");

  EXPECT_EQ(Enter(Box(), "barrel"), "");
  SceneNode* barrel = Child(Child(nodes().objects, "model"), "barrel");
  ASSERT_NE(barrel, nullptr) << "the node renamed in place";
  EXPECT_EQ(tree().Selected(), barrel);
  EXPECT_NE(SelectedLine().find(" name: barrel"), std::string::npos);
  EXPECT_EQ(UndoItem(), "undo name of crate");
}

TEST_F(PanelEditing, ABackslashShowsAndIsTypedAsItselfAndAnEscapedByteSurvivesEnter) {
  ASSERT_EQ(Load(Scene({Objects({ObjectChunk("sounds\\a\tb", 9)})})), "");
  SceneNode* node = Child(Child(nodes().objects, "model"), "sounds\\a\tb");
  ASSERT_NE(node, nullptr);
  tree().Select(node);
  PumpMessages();
  OpenOn(" name: ");
  EXPECT_EQ(SelectedLine().substr(SelectedLine().find(" name: ")), " name: sounds\\a\\x09b");
  EXPECT_EQ(TextOf(Box()), "sounds\\a\\x09b") << "as the line shows it";
  Press({VK_RETURN});
  EXPECT_FALSE(IsWindowVisible(Box()));
  EXPECT_FALSE(form.Document().Core().CanUndo()) << "the tab it can't show is kept";

  OpenOn(" name: ");
  EXPECT_EQ(Enter(Box(), "sounds\\ambient.wav"), "");
  EXPECT_EQ(GetChunkName(form.Document().Core().Objects().At(0)->chunk.Bytes()), "sounds\\ambient.wav");
}

TEST_F(PanelEditing, AChangedObjectTypeMovesTheNodeToItsFolderWithItsCheckMark) {
  ClickCheckBox(tree(), Crate());
  ASSERT_TRUE(Crate()->Checked());
  OpenOn(" object type: ");
  EXPECT_EQ(Enter(Box(), "light"), "");
  SceneNode* moved = Child(Child(nodes().objects, "light"), "crate");
  ASSERT_NE(moved, nullptr);
  EXPECT_TRUE(moved->Checked());
  EXPECT_EQ(tree().Selected(), moved);
  EXPECT_NE(SelectedLine().find(" object type: "), std::string::npos);
  EXPECT_EQ(GetObjectType(CrateBytes()), kLightObjectType);
}

TEST_F(PanelEditing, TheBytesOfALeafThatNoValueDescribesAreTypedOverInHex) {
  OpenOn(HexUpper(kUnknownChunk, 4));
  ASSERT_TRUE(IsWindowVisible(BytesBox()));
  EXPECT_EQ(TextOf(BytesBox()), "01 02 03");
  EXPECT_NE(Enter(BytesBox(), "0A 0B"), "") << "the length stays";
  EXPECT_TRUE(IsWindowVisible(BytesBox()));
  EXPECT_EQ(Enter(BytesBox(), "0a0B 0c"), "");
  const ByteView chunk = CrateBytes();
  EXPECT_EQ(BytesOf(chunk.Part(chunk.Length() - 3, 3)), (Bytes{0x0A, 0x0B, 0x0C}));
  EXPECT_EQ(UndoItem(), "undo bytes at " + std::to_string(chunk.Length() - 3) + " of crate");
  ChooseMenu("Edit", "undo");
  EXPECT_EQ(Written(form.Document().Core()), file_);

  // The same box from a double-click on the hex view, the line still selected.
  PumpMessages();
  SendMessageW(form.SidePanel().BytesView().Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 8));
  ASSERT_TRUE(IsWindowVisible(BytesBox()));
  EXPECT_EQ(TextOf(BytesBox()), "01 02 03");
  Press({VK_ESCAPE});
  EXPECT_FALSE(IsWindowVisible(BytesBox()));
}

// Run under an English and a Russian locale, as the other Cyrillic tests.
using CyrillicNamesTypedInThePanel = PanelEditing;

TEST_F(CyrillicNamesTypedInThePanel, AreWrittenAsWindows1251AndACharacterWithoutAByteIsRefused) {
  OpenOn(" name: crate");
  const std::string refusal = Enter(Box(), "Ящик 日");
  EXPECT_NE(refusal.find("日"), std::string::npos) << refusal;
  EXPECT_TRUE(IsWindowVisible(Box()));
  EXPECT_EQ(Enter(Box(), "Ящик"), "");
  EXPECT_EQ(GetChunkName(CrateBytes()), "\xDF\xF9\xE8\xEA");
  EXPECT_NE(Child(Child(nodes().objects, "model"), "\xDF\xF9\xE8\xEA"), nullptr);
  EXPECT_NE(SelectedLine().find(" name: Ящик"), std::string::npos);
}

}  // namespace

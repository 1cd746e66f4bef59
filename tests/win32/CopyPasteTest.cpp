// "copy", "paste" and "Duplicate" in the main window: the clipboard's two
// forms, the names the copies get, the tree showing them, and their undo.
#include "os/WideText.h"
#include "tests/win32/EditorFixture.h"
#include "toolkit/Clipboard.h"
#include "tools/gui/Input.h"
#include "tools/gui/MessageBoxes.h"
#include "tools/gui/TreeClicks.h"
#include "tools/gui/WhenShown.h"

namespace {

using Texts = std::vector<std::string>;
using toolkit::Ctrl;

class CopyPasteTest : public EditorTest {
 protected:
  CopyPasteTest() {
    EXPECT_EQ(Load(kScene), "");
    for (SceneNode* section : Children(nodes().scene2)) {
      tree().Expand(*section);
      for (SceneNode* folder : Children(section)) tree().Expand(*folder);
    }
    SetForegroundWindow(form.Handle());
    SetFocus(tree().Handle());
  }

  SceneNode* Object(const char* folder, const char* name) { return Child(Child(nodes().objects, folder), name); }
  void Press(const toolkit::Shortcut& key) {
    PressKey(key);
    PumpMessages();
  }
  std::string UndoItem() { return MenuItemName(MenuItemText(GetSubMenu(GetMenu(form.Handle()), 1), 0)); }
  // The box that a command shows, answered; its text.
  std::string BoxAfter(const std::function<void()>& command) {
    std::string text;
    WhenShown box("tool", [&text](HWND shown) {
      text = MessageBoxText(shown);
      PostOk(shown);
    });
    command();
    return text;
  }
  static std::string ClipboardText() {
    toolkit::Clipboard clipboard(nullptr);
    const std::optional<std::vector<uint8_t>> bytes = clipboard.Get(CF_UNICODETEXT);
    if (!bytes) return "(none)";
    return os::Narrow(reinterpret_cast<const wchar_t*>(bytes->data()));
  }
  static void PutOnClipboard(const wchar_t* format, const Bytes& bytes) {
    toolkit::Clipboard clipboard(nullptr);
    ASSERT_TRUE(clipboard.Put(toolkit::Clipboard::RegisterFormat(format), bytes));
  }

  const Bytes kScene = Scene({Objects({ObjectChunk("crate", 9), ObjectChunk("horn", 4)}),
                              Definitions({DefinitionChunk("door1", 6)}), InitScripts({InitScriptChunk("start")})});
};

}  // namespace

TEST_F(CopyPasteTest, APasteOfTakenNamesAddsNumberedCopiesSelectedAsOneEditThatUndoes) {
  tree().Select(Object("model", "crate"));
  Press(Ctrl('C'));
  EXPECT_EQ(ClipboardText(), "objects\t0\t4010\tmodel\tcrate\r\n");
  const Bytes before = Written(form.Document().Core());
  trace.TakeLines();

  Press(Ctrl('V'));
  Press(Ctrl('V'));
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "model")), (Texts{"crate", "crate (2)", "crate (3)"}));
  EXPECT_EQ(tree().Selected(), Object("model", "crate (3)")) << "the copy shown";
  EXPECT_NE(tree().ControlItem(*Object("model", "crate (3)")), nullptr);
  EXPECT_EQ(UndoItem(), "undo paste of objects crate (3)");
  EXPECT_EQ(trace.TakeLines(),
            (Texts{"qScene2bin.AddChunk: added objects crate (2)", "qScene2bin.AddChunk: added objects crate (3)"}));

  ChooseMenu("Edit", "undo paste of objects crate (3)");
  ChooseMenu("Edit", "undo paste of objects crate (2)");
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "model")), (Texts{"crate"}));
  EXPECT_EQ(Written(form.Document().Core()), before);
  ChooseMenu("Edit", "redo paste of objects crate (2)");
  EXPECT_EQ(tree().Selected(), Object("model", "crate (2)"));
}

TEST_F(CopyPasteTest, CheckedChunksAreCopiedRatherThanTheSelectedOne) {
  ClickCheckBox(tree(), Object("sound", "horn"));
  ClickCheckBox(tree(), Child(Child(nodes().definitions, "door"), "door1"));
  tree().Select(Object("model", "crate"));
  ChooseMenu("Edit", "copy");
  EXPECT_EQ(ClipboardText(), "objects\t1\t4010\tsound\thorn\r\ndefinitions\t0\tAE21\tdoor\tdoor1\r\n");

  ChooseMenu("Edit", "paste");
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "sound")), (Texts{"horn", "horn (2)"}));
  EXPECT_EQ(ChildTexts(Child(nodes().definitions, "door")), (Texts{"door1", "door1 (2)"}));
  EXPECT_EQ(UndoItem(), "undo paste of 2 chunks");
}

TEST_F(CopyPasteTest, DuplicateAddsTheNextFreeNameOfAnObjectOrDefinitionOnly) {
  tree().Select(Object("model", "crate"));
  Press(Ctrl('D'));
  Press(Ctrl('D'));
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "model")), (Texts{"crate", "crate (2)", "crate (3)"}))
      << "a copy of the copy numbered from its stem";
  EXPECT_EQ(UndoItem(), "undo duplicate of objects crate (3)");
  ChooseMenu("Edit", "undo duplicate of objects crate (3)");
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "model")), (Texts{"crate", "crate (2)"}));

  tree().Select(Child(nodes().initScripts, "start"));
  Press(Ctrl('D'));
  EXPECT_EQ(ChildTexts(nodes().initScripts), (Texts{"start"})) << "an init script keeps its name: no duplicate";
}

TEST_F(CopyPasteTest, TheSearchFieldKeepsItsOwnCopyAndPaste) {
  tree().Select(Object("model", "crate"));
  Press(Ctrl('C'));
  HWND search = FindWindowExA(form.Handle(), nullptr, "Edit", nullptr);
  SendTyping(search, "hor");
  SendMessageA(search, EM_SETSEL, 0, -1);
  SetFocus(search);
  Press(Ctrl('C'));
  EXPECT_EQ(ClipboardText(), "hor");
  Press(Ctrl('V'));
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "model")), (Texts{"crate"})) << "no chunk pasted from the field";
}

TEST_F(CopyPasteTest, WhatIsNoCopyOfChunksIsRefusedWithABoxAndTheSceneKept) {
  const Bytes before = Written(form.Document().Core());
  {
    toolkit::Clipboard clipboard(nullptr);
    ASSERT_TRUE(clipboard.PutText(L"crate"));
  }
  EXPECT_EQ(BoxAfter([&] { ChooseMenu("Edit", "paste"); }),
            "The clipboard holds no chunks. Copy them in an editor first: select or check them in its tree and press "
            "Ctrl+C.");
  PutOnClipboard(L"scene2.bin chunks", Concat({Text("S2CHUNKS"), U16(1), U32(18 + 8), U32(1), U16(kObjectsSection),
                                               ChunkOf(kDefinitionChunk, {})}));
  EXPECT_EQ(BoxAfter([&] { ChooseMenu("Edit", "paste"); }),
            "The clipboard's chunks can't be pasted: chunk 1 of 1: a chunk of type AE21 is said to be of the objects. "
            "The scene is as it was.");
  EXPECT_EQ(Written(form.Document().Core()), before);
  EXPECT_TRUE(Greyed("undo"));

  tree().Select(nodes().objects);
  EXPECT_EQ(BoxAfter([&] { ChooseMenu("Edit", "copy"); }),
            "Nothing to copy: select a chunk in the tree, or check the chunks to copy.");
}

// tool.exe as the host of the sound plug-in: the real Ambrel.dll's dialog
// driven from the tree menu, the new chunk put into the scene and saved; and
// a stand-in plug-in whose malformed answers the editor refuses.

#include <windows.h>

#include "os/WideText.h"
#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "tests/plugin/DialogView.h"
#include "tests/plugin/SoundTestSupport.h"
#include "tests/win32/EditorFixture.h"
#include "toolkit/MessageBox.h"
#include "tools/gui/FileDialogs.h"
#include "tools/gui/HostWindow.h"
#include "tools/gui/Input.h"
#include "tools/gui/MessageBoxes.h"
#include "tools/gui/TreeClicks.h"
#include "tools/gui/WhenShown.h"

namespace {

using Texts = std::vector<std::string>;

constexpr int kRenameItem = 0;
constexpr int kSoundSettingsItem = 1;
constexpr int kNewSoundItem = 2;

const Bytes kCrate = ObjectChunk("crate", 9);
const Bytes kRain = RainSound("rain", 0.5f, {1.5f, -2, 300});
const Bytes kDoor = DefinitionChunk("door", 6);
const Bytes kScene = Scene({Objects({kCrate, kRain}), Definitions({kDoor})});

class SoundHostTest : public EditorTest {
 protected:
  explicit SoundHostTest(const std::string& plugin = HostPath(SCENE2_AMBREL)) : EditorTest(plugin) {
    EXPECT_EQ(Load(kScene), "");
  }

  SceneNode* Rain() { return Child(Child(nodes().objects, "sound"), "rain"); }

  // Right-clicks the node and picks the tree menu's item at `index`.
  void ChooseTreeMenu(SceneNode* node, int index) {
    tree().MakeVisible(*node);
    WhenShown menu(kPopupMenuClass, PickMenuItem(index));
    RightClickNode(tree(), node);
    PumpMessages();
    EXPECT_TRUE(menu.Done());
  }

  // Which of the tree menu's items are enabled for the node: "Rename",
  // "Sound settings..", "New sound..".
  std::vector<bool> ItemsFor(SceneNode* node) {
    tree().MakeVisible(*node);
    std::vector<bool> enabled;
    WhenShown menu(kPopupMenuClass, [&](HWND window) {
      const HMENU items = form.TreeMenu().Handle();
      for (int item : {kRenameItem, kSoundSettingsItem, kNewSoundItem})
        enabled.push_back(!(GetMenuState(items, static_cast<UINT>(item), MF_BYPOSITION) & MF_GRAYED));
      PostKey(window, VK_ESCAPE);
    });
    RightClickNode(tree(), node);
    PumpMessages();
    return enabled;
  }

  // The text of the box that the command shows, which is then closed.
  std::wstring BoxAfter(const std::function<void()>& command) {
    std::wstring text;
    WhenShown read("tool", [&text](HWND box) {
      text = MessageBoxWideText(box);
      PostOk(box);
    });
    command();
    PumpMessages();
    return text;
  }
};

}  // namespace

TEST_F(SoundHostTest, TheTreeMenuOffersEachItemWhereItWorks) {
  using Items = std::vector<bool>;
  ASSERT_EQ(Load(Scene({Objects({kCrate, kRain}), Definitions({kDoor}), InitScripts({InitScriptChunk("start")}),
                        VisualEffects({VisualEffectChunk("smoke")})})),
            "");
  // Rename on objects and definitions; sound settings on a sound; a new
  // sound from the objects or their sound folder.
  EXPECT_EQ(ItemsFor(Rain()), (Items{true, true, false}));
  EXPECT_EQ(ItemsFor(Child(Child(nodes().objects, "model"), "crate")), (Items{true, false, false}));
  EXPECT_EQ(ItemsFor(Child(Child(nodes().definitions, "door"), "door")), (Items{true, false, false}));
  EXPECT_EQ(ItemsFor(Child(nodes().objects, "sound")), (Items{false, false, true}));
  EXPECT_EQ(ItemsFor(nodes().objects), (Items{false, false, true}));
  EXPECT_EQ(ItemsFor(nodes().definitions), (Items{false, false, false}));
  EXPECT_EQ(ItemsFor(Children(nodes().initScripts)[0]), (Items{false, false, false}));
  EXPECT_EQ(ItemsFor(Children(nodes().visualEffects)[0]), (Items{false, false, false}));
}

TEST_F(SoundHostTest, SoundSettingsChangedInThePlugInAreSavedAndNothingElseIs) {
  ClickCheckBox(tree(), nodes().objects);
  const ChunkId rain = Rain()->chunk;
  WhenShown edit("rain", [](HWND dialog) {
    const DialogView view = FindControls(dialog);
    Mouse mouse(GetCurrentThreadId());
    mouse.Down(view.volume, BarPoint(view.volume, 104));
    mouse.Up(view.volume, BarPoint(view.volume, 104));
    SendTyping(view.texts[kSoundFile], "storm.wav");
    PostClick(view.ok);
  });
  ChooseTreeMenu(Rain(), kSoundSettingsItem);
  ASSERT_TRUE(edit.Done());
  EXPECT_EQ(Rain()->chunk, rain) << "new settings keep the chunk's identity";
  EXPECT_EQ(Rain()->chunk, form.Document().Core().Objects().At(1)->id);
  EXPECT_TRUE(Rain()->Checked()) << "check marks stay";

  const std::string saved = scratch.Path("saved.bin");
  ASSERT_TRUE(form.Document().Core().Save(saved).ok());
  LoadedScene reloaded(ReadFileBytes(saved));
  ASSERT_TRUE(reloaded.loaded);
  EXPECT_EQ(BytesOf(reloaded.document->Objects().At(0)->chunk.Bytes()), kCrate);
  EXPECT_EQ(BytesOf(reloaded.document->Definitions().At(0)->chunk.Bytes()), kDoor);
  const ReadResult read = ReadSound(BytesOf(reloaded.document->Objects().At(1)->chunk.Bytes()));
  ASSERT_TRUE(read.ok);
  EXPECT_EQ(read.fields.Volume, 25);
  EXPECT_EQ(read.fields.SoundFile, "storm.wav");
  EXPECT_EQ(read.fields.ParentSector, "yard");
}

TEST_F(SoundHostTest, OnceTheDialogIsGoneTheTreeHasTheKeyboardAndCtrlZUndoesAtOnce) {
  tree().MakeVisible(*Rain());
  tree().Select(Rain());
  // Another window to take the front as the dialog goes, as the console does.
  const HostWindow other({0, 0, 150, 150});
  SetForegroundWindow(form.Handle());
  WhenShown edit("rain", [](HWND dialog) {
    const DialogView view = FindControls(dialog);
    SendTyping(view.texts[kSoundFile], "storm.wav");
    PostClick(view.ok);
  });
  EditorTest::ChooseTreeMenu("Sound settings..");
  ASSERT_TRUE(edit.Done());
  PumpMessages();
  EXPECT_EQ(GetForegroundWindow(), form.Handle());
  EXPECT_EQ(GetFocus(), tree().Handle());
  ASSERT_TRUE(form.Document().Core().CanUndo());
  PressKey(toolkit::Ctrl('Z'));
  PumpMessages();
  EXPECT_EQ(Written(form.Document().Core()), kScene) << "the key went to the editor";
}

TEST_F(SoundHostTest, CancelChangesNothing) {
  WhenShown cancel("rain", [](HWND dialog) { PostClick(FindControls(dialog).cancel); });
  ChooseTreeMenu(Rain(), kSoundSettingsItem);
  EXPECT_TRUE(cancel.Done());
  EXPECT_EQ(Written(form.Document().Core()), kScene);
}

TEST_F(SoundHostTest, TheMainWindowTakesNoInputWhileTheDialogIsUp) {
  bool enabledMeanwhile = true;
  WhenShown cancel("rain", [&](HWND dialog) {
    enabledMeanwhile = IsWindowEnabled(form.Handle()) != 0;
    PostClick(FindControls(dialog).cancel);
  });
  ChooseTreeMenu(Rain(), kSoundSettingsItem);
  ASSERT_TRUE(cancel.Done());
  EXPECT_FALSE(enabledMeanwhile);
  EXPECT_TRUE(IsWindowEnabled(form.Handle()));
}

TEST_F(SoundHostTest, OkForASoundThatWentMeanwhileIsRefusedWithABox) {
  // What the main window's messages could still do under the dialog: delete
  // the object, or open a scene (the same one again: every chunk is new).
  struct Going {
    const char* what;
    std::function<void()> act;
    Bytes sceneAfter;
  };
  const Going goings[] = {
      {"deleted",
       [this] {
         model().SetCheck(*Rain(), toolkit::CheckState::Checked);
         form.DeleteSelected();
       },
       Scene({Objects({kCrate}), Definitions({kDoor})})},
      {"opened anew", [this] { EXPECT_EQ(Load(kScene), ""); }, kScene},
  };
  for (const Going& going : goings) {
    SCOPED_TRACE(going.what);
    ASSERT_EQ(Load(kScene), "");
    WhenShown edit("rain", [&](HWND dialog) {
      const DialogView view = FindControls(dialog);
      SendTyping(view.texts[kSoundFile], "storm.wav");
      going.act();
      PostClick(view.ok);
    });
    EXPECT_EQ(BoxAfter([this] { ChooseTreeMenu(Rain(), kSoundSettingsItem); }),
              L"The sound object is no longer in the scene; its new settings were not applied.");
    EXPECT_TRUE(edit.Done());
    EXPECT_EQ(Written(form.Document().Core()), going.sceneAfter);
  }
}

TEST_F(SoundHostTest, ANewSoundIsAddedUnderTheSoundFolderAndASecondOneCollides) {
  const auto newSound = [this] {
    WhenShown accept("Doruv Uvizi", [](HWND dialog) { PostClick(FindControls(dialog).ok); });
    ChooseTreeMenu(nodes().objects, kNewSoundItem);
    EXPECT_TRUE(accept.Done());
  };
  trace.TakeLines();
  newSound();
  ASSERT_EQ(form.Document().CountByChunkID(kObjectChunk), 3);
  EXPECT_EQ(form.Document().Core().Objects().At(2)->chunk.Length(), 245u);
  EXPECT_EQ(GetChunkName(form.Document().Core().Objects().At(2)->chunk.Bytes()), "New sound");
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "sound")), (Texts{"rain", "New sound"}));
  EXPECT_EQ(tree().Selected(), Child(Child(nodes().objects, "sound"), "New sound"));
  EXPECT_EQ(trace.TakeLines(), (Texts{"qScene2bin.AddChunk: added objects New sound"}));
  const Bytes withOne = Written(form.Document().Core());
  LoadedScene reloaded(withOne);
  EXPECT_TRUE(reloaded.loaded);

  EXPECT_EQ(BoxAfter(newSound), L"Совпадение имён.");
  EXPECT_EQ(Written(form.Document().Core()), withOne);
}

TEST_F(SoundHostTest, NewSettingsAndANewSoundAreUndoneAndRedone) {
  const auto now = [this] { return std::make_pair(TreeDump(*nodes().scene2), Written(form.Document().Core())); };
  const auto before = now();
  WhenShown edit("rain", [](HWND dialog) {
    const DialogView view = FindControls(dialog);
    SendTyping(view.texts[kSoundFile], "storm.wav");
    PostClick(view.ok);
  });
  ChooseTreeMenu(Rain(), kSoundSettingsItem);
  ASSERT_TRUE(edit.Done());
  const auto edited = now();
  WhenShown accept("Doruv Uvizi", [](HWND dialog) { PostClick(FindControls(dialog).ok); });
  ChooseTreeMenu(nodes().objects, kNewSoundItem);
  ASSERT_TRUE(accept.Done());
  const auto added = now();
  ASSERT_NE(edited, before);
  ASSERT_NE(added, edited);
  trace.TakeLines();

  ChooseMenu("Edit", "undo");
  EXPECT_EQ(now(), edited);
  ChooseMenu("Edit", "undo");
  EXPECT_EQ(now(), before);
  EXPECT_EQ(tree().Selected(), Rain()) << "the node the edit worked on";
  ChooseMenu("Edit", "redo");
  EXPECT_EQ(now(), edited);
  ChooseMenu("Edit", "redo");
  EXPECT_EQ(now(), added);
  EXPECT_EQ(tree().Selected(), Child(Child(nodes().objects, "sound"), "New sound"));
  EXPECT_EQ(trace.TakeLines(),
            (Texts{"qScene2bin.Undo: add of objects New sound", "qScene2bin.Undo: change of objects rain",
                   "qScene2bin.Redo: change of objects rain", "qScene2bin.Redo: add of objects New sound"}));
}

TEST_F(SoundHostTest, ANewSoundMakesTheSoundFolderWhenThereIsNone) {
  ASSERT_EQ(Load(Scene({Objects({kCrate})})), "");
  WhenShown accept("Doruv Uvizi", [](HWND dialog) { PostClick(FindControls(dialog).ok); });
  ChooseTreeMenu(nodes().objects, kNewSoundItem);
  EXPECT_EQ(ChildTexts(nodes().objects), (Texts{"model", "sound"}));
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "sound")), (Texts{"New sound"}));
}

const char kMissingPlugin[] = "/no/such/folder/Ambrel.dll";

class MissingSoundPlugin : public SoundHostTest {
 protected:
  MissingSoundPlugin() : SoundHostTest(HostPath(kMissingPlugin)) {}
};

TEST_F(MissingSoundPlugin, IsNamedInABoxAndNothingChanges) {
  const std::wstring text = BoxAfter([this] { ChooseTreeMenu(Rain(), kSoundSettingsItem); });
  const std::wstring path = os::Widen(HostPath(kMissingPlugin));
  EXPECT_EQ(text.rfind(L"Cannot load " + path + L": ", 0), 0u) << std::string(text.begin(), text.end());
  EXPECT_EQ(Written(form.Document().Core()), kScene);
}

class NoLibrarySoundPlugin : public SoundHostTest {
 protected:
  NoLibrarySoundPlugin() : SoundHostTest(HostPath(SCENE2_NOT_A_LIBRARY)) {}
};

TEST_F(NoLibrarySoundPlugin, IsNamedInTheSystemsWordsWithoutAnInsertLeft) {
  const std::wstring text = BoxAfter([this] { ChooseTreeMenu(Rain(), kSoundSettingsItem); });
  const std::wstring path = os::Widen(HostPath(SCENE2_NOT_A_LIBRARY));
  EXPECT_EQ(text, L"Cannot load " + path + L": Bad EXE format for " + path + L".");
}

class MalformedSoundPlugin : public SoundHostTest {
 protected:
  MalformedSoundPlugin() : SoundHostTest(HostPath(SCENE2_STAND_IN)) {}
};

TEST_F(MalformedSoundPlugin, WhatIsNoSoundObjectIsRefusedAndTheSceneStaysAsItWas) {
  HMODULE standIn = LoadLibraryW(os::Widen(HostPath(SCENE2_STAND_IN)).c_str());
  ASSERT_NE(standIn, nullptr);
  const auto setAnswer =
      reinterpret_cast<void(__stdcall*)(int)>(reinterpret_cast<void*>(GetProcAddress(standIn, "SetAnswer")));
  const wchar_t* expected[] = {
      L"The sound plug-in gave back 3 bytes, less than a chunk's header.",
      L"The sound plug-in gave back a chunk whose size field says 25 bytes in a block of 24.",
      L"The sound plug-in gave back a chunk of type AE21, not an object.",
      L"The sound plug-in gave back an object of type 9, not a sound.",
  };
  for (int answer = 0; answer < 4; ++answer) {
    SCOPED_TRACE(answer);
    setAnswer(answer);
    EXPECT_EQ(BoxAfter([this] { ChooseTreeMenu(Rain(), kSoundSettingsItem); }), expected[answer]);
    EXPECT_EQ(Written(form.Document().Core()), kScene);
    EXPECT_EQ(Rain()->chunk, form.Document().Core().Objects().At(1)->id);
  }
  FreeLibrary(standIn);
}

namespace {

// Run again on a 1366 x 768 screen, where the places given at design time
// would put controls off it.
class SmallScreen : public SoundHostTest {
 protected:
  static bool Inside(HWND window, const RECT& area) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect.left >= area.left && rect.top >= area.top && rect.right <= area.right && rect.bottom <= area.bottom;
  }
  static RECT WorkArea() {
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
  }
};

}  // namespace

TEST_F(SmallScreen, TheMainWindowAndItsSearchAreInsideTheWorkArea) {
  EXPECT_TRUE(Inside(form.Handle(), WorkArea()));
  EXPECT_TRUE(Inside(FindWindowExA(form.Handle(), nullptr, "Edit", nullptr), WorkArea()));
  EXPECT_TRUE(Inside(FindWindowExA(form.Handle(), nullptr, "Button", "find"), WorkArea()));
  EXPECT_TRUE(Inside(FindWindowExW(form.Handle(), nullptr, STATUSCLASSNAMEW, nullptr), WorkArea()));
}

TEST_F(SmallScreen, MaximisedTheSearchRowAndTheStatusLineAreInsideTheWorkArea) {
  ShowWindow(form.Handle(), SW_MAXIMIZE);
  PumpMessages();
  EXPECT_TRUE(Inside(FindWindowExA(form.Handle(), nullptr, "Edit", nullptr), WorkArea()));
  EXPECT_TRUE(Inside(FindWindowExA(form.Handle(), nullptr, "Button", "find"), WorkArea()));
  EXPECT_TRUE(Inside(FindWindowExW(form.Handle(), nullptr, STATUSCLASSNAMEW, nullptr), WorkArea()));
}

TEST_F(SmallScreen, TheSoundDialogsButtonsAreInsideTheWorkArea) {
  std::vector<bool> inside;
  WhenShown edit("rain", [&inside](HWND dialog) {
    const DialogView view = FindControls(dialog);
    for (HWND button : {view.ok, view.cancel, view.about}) inside.push_back(Inside(button, WorkArea()));
    PostClick(view.cancel);
  });
  ChooseTreeMenu(Rain(), kSoundSettingsItem);
  EXPECT_TRUE(edit.Done());
  EXPECT_EQ(inside, (std::vector<bool>{true, true, true}));
}

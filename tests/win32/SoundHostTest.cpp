// tool.exe as the host of the sound plug-in: the real Ambrel.dll's dialog
// driven from the tree menu, the new chunk put into the scene and saved; and
// a stand-in plug-in whose malformed answers the editor refuses.

#include <windows.h>

#include "plugin/SoundLayout.h"
#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "tests/plugin/DialogView.h"
#include "tests/plugin/SoundTestSupport.h"
#include "tests/win32/EditorFixture.h"
#include "toolkit/MessageBox.h"
#include "tools/gui/FileDialogs.h"
#include "tools/gui/Input.h"
#include "tools/gui/MessageBoxes.h"
#include "tools/gui/TreeClicks.h"
#include "tools/gui/WhenShown.h"

namespace {

using Texts = std::vector<std::string>;

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

  // Whether the tree menu's items for the node are enabled: "Sound
  // settings..", "New sound..".
  std::pair<bool, bool> SoundItemsFor(SceneNode* node) {
    tree().MakeVisible(*node);
    std::pair<bool, bool> enabled;
    WhenShown menu(kPopupMenuClass, [&](HWND window) {
      const HMENU items = form.TreeMenu().Handle();
      enabled = {!(GetMenuState(items, kSoundSettingsItem, MF_BYPOSITION) & MF_GRAYED),
                 !(GetMenuState(items, kNewSoundItem, MF_BYPOSITION) & MF_GRAYED)};
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

TEST_F(SoundHostTest, TheMenuOffersSoundSettingsOnASoundAndANewSoundOnItsFolder) {
  EXPECT_EQ(SoundItemsFor(Rain()), std::make_pair(true, false));
  EXPECT_EQ(SoundItemsFor(Child(Child(nodes().objects, "model"), "crate")), std::make_pair(false, false));
  EXPECT_EQ(SoundItemsFor(Child(nodes().objects, "sound")), std::make_pair(false, true));
  EXPECT_EQ(SoundItemsFor(nodes().objects), std::make_pair(false, true));
  EXPECT_EQ(SoundItemsFor(nodes().definitions), std::make_pair(false, false));
}

TEST_F(SoundHostTest, SoundSettingsChangedInThePlugInAreSavedAndNothingElseIs) {
  ClickCheckBox(tree(), nodes().objects);
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
  EXPECT_EQ(Rain()->chunk, form.Document().GetObject(1));
  EXPECT_TRUE(Rain()->Checked()) << "check marks stay";

  const std::string saved = scratch.Path("saved.bin");
  ASSERT_TRUE(form.Document().WriteToFile(saved));
  LoadedScene reloaded(ReadFileBytes(saved));
  ASSERT_TRUE(reloaded.loaded);
  EXPECT_EQ(BytesOf(*reloaded.document->GetObject(0)), kCrate);
  EXPECT_EQ(BytesOf(*reloaded.document->GetDefinition(0)), kDoor);
  const ReadResult read = ReadSound(BytesOf(*reloaded.document->GetObject(1)));
  ASSERT_TRUE(read.ok);
  EXPECT_EQ(read.fields.Volume, 25);
  EXPECT_EQ(read.fields.SoundFile, "storm.wav");
  EXPECT_EQ(read.fields.ParentSector, "yard");
}

TEST_F(SoundHostTest, CancelChangesNothing) {
  WhenShown cancel("rain", [](HWND dialog) { PostClick(FindControls(dialog).cancel); });
  ChooseTreeMenu(Rain(), kSoundSettingsItem);
  EXPECT_TRUE(cancel.Done());
  EXPECT_EQ(Written(form.Document()), kScene);
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
  EXPECT_EQ(form.Document().GetObject(2)->Length(), 245u);
  EXPECT_EQ(GetChunkName(*form.Document().GetObject(2)), "New sound");
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "sound")), (Texts{"rain", "New sound"}));
  EXPECT_EQ(tree().Selected(), Child(Child(nodes().objects, "sound"), "New sound"));
  EXPECT_EQ(trace.TakeLines(), (Texts{"qScene2bin.AddChunk: added objects New sound"}));
  const Bytes withOne = Written(form.Document());
  LoadedScene reloaded(withOne);
  EXPECT_TRUE(reloaded.loaded);

  EXPECT_EQ(BoxAfter(newSound), L"Совпадение имён.");
  EXPECT_EQ(Written(form.Document()), withOne);
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
  const std::wstring path = toolkit::Widen(HostPath(kMissingPlugin), CP_ACP);
  EXPECT_EQ(text.rfind(L"Cannot load " + path + L": ", 0), 0u) << std::string(text.begin(), text.end());
  EXPECT_EQ(Written(form.Document()), kScene);
}

class MalformedSoundPlugin : public SoundHostTest {
 protected:
  MalformedSoundPlugin() : SoundHostTest(HostPath(SCENE2_STAND_IN)) {}
};

TEST_F(MalformedSoundPlugin, WhatIsNoSoundObjectIsRefusedAndTheSceneStaysAsItWas) {
  HMODULE standIn = LoadLibraryA(HostPath(SCENE2_STAND_IN).c_str());
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
    EXPECT_EQ(Written(form.Document()), kScene);
    EXPECT_EQ(Rain()->chunk, form.Document().GetObject(1));
  }
  FreeLibrary(standIn);
}

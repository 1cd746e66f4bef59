// "Edit" > "undo" and "redo" in the main window: the scene back byte for
// byte, the tree as it was, one trace line each.
#include <filesystem>

#include "tests/win32/EditorFixture.h"
#include "tools/gui/FileDialogs.h"
#include "tools/gui/Input.h"
#include "tools/gui/MessageBoxes.h"
#include "tools/gui/TreeClicks.h"
#include "tools/gui/WhenShown.h"
#include "tools/gui/WindowSearch.h"

namespace {

using Texts = std::vector<std::string>;

class UndoRedoTest : public EditorTest {
 protected:
  UndoRedoTest() {
    EXPECT_EQ(Load(Scene({Objects({ObjectChunk("crate", 9), ObjectChunk("box", 9), ObjectChunk("horn", 4)}),
                          Definitions({DefinitionChunk("door", 6)})})),
              "");
    for (SceneNode* section : Children(nodes().scene2)) {
      tree().Expand(*section);
      for (SceneNode* folder : Children(section)) tree().Expand(*folder);
    }
  }

  SceneNode* Object(const char* folder, const char* name) { return Child(Child(nodes().objects, folder), name); }

  // The tree with its marks, and the scene as a save would write it.
  struct State {
    std::string tree;
    Bytes scene;
    bool operator==(const State&) const = default;
    friend void PrintTo(const State& state, std::ostream* out) {
      *out << "\n" << state.tree << state.scene.size() << " bytes";
    }
  };
  State Now() { return {TreeDump(*nodes().scene2), Written(form.Document().Core())}; }

  void Import(const std::string& name, const Bytes& chunk) {
    std::filesystem::create_directories(form.DncFolder());
    WriteFileBytes(form.DncFolder() + name, chunk);
    WhenShown choose("Open", [&name](HWND dialog) { ChooseFile(dialog, name); });
    WhenShown summary("tool", PostOk);
    ChooseMenu("Edit", "import..");
    EXPECT_TRUE(summary.Done());
  }
};

TEST_F(UndoRedoTest, EachEditIsUndoneAndRedoneAsItWasInTurn) {
  ClickCheckBox(tree(), Object("model", "box"));
  tree().Select(Object("model", "crate"));
  std::vector<State> states{Now()};
  ChooseMenu("Edit", "delete selected");
  states.push_back(Now());
  Rename(Object("sound", "horn"), "siren");
  states.push_back(Now());
  // Replaces the crate with a sound object of that name, and adds a barrel.
  Import("Obj_crate.dnc", ObjectChunk("crate", 4));
  Import("Obj_barrel.dnc", ObjectChunk("barrel", 9));
  states.push_back(Now());
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "sound")), (Texts{"siren", "crate"}));
  trace.TakeLines();

  ChooseMenu("Edit", "undo");
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "sound")), (Texts{"siren", "crate"})) << "one import undone, not both";
  for (size_t state = states.size() - 1; state-- > 0;) {
    ChooseMenu("Edit", "undo");
    EXPECT_EQ(Now(), states[state]) << "undone back to state " << state;
  }
  EXPECT_EQ(trace.TakeLines(),
            (Texts{"qScene2bin.Undo: import of 1 chunk", "qScene2bin.Undo: import of 1 chunk",
                   "qScene2bin.Undo: change of objects siren", "qScene2bin.Undo: delete of 1 chunk"}));
  EXPECT_TRUE(Object("model", "box")->Checked()) << "back with its mark";
  EXPECT_TRUE(Greyed("undo"));

  for (size_t state = 1; state < states.size(); ++state) {
    ChooseMenu("Edit", "redo");
    if (state == states.size() - 1) ChooseMenu("Edit", "redo");  // the second import
    EXPECT_EQ(Now(), states[state]) << "redone to state " << state;
  }
  EXPECT_EQ(trace.TakeLines(), (Texts{"qScene2bin.Redo: delete of 1 chunk", "qScene2bin.Redo: change of objects siren",
                                      "qScene2bin.Redo: import of 1 chunk", "qScene2bin.Redo: import of 1 chunk"}));
  EXPECT_TRUE(Greyed("redo"));
  EXPECT_FALSE(Greyed("undo"));
}

TEST_F(UndoRedoTest, UndoSelectsTheNodeTheEditWorkedOn) {
  Rename(Object("sound", "horn"), "siren");
  tree().Select(nodes().definitions);
  ChooseMenu("Edit", "undo");
  EXPECT_EQ(tree().Selected(), Object("sound", "horn"));
  tree().Select(nodes().definitions);
  ChooseMenu("Edit", "redo");
  EXPECT_EQ(tree().Selected(), Object("sound", "siren"));
}

TEST_F(UndoRedoTest, ItemsAreGreyedWhileThereIsNothingToUndoOrRedo) {
  EXPECT_TRUE(Greyed("undo"));
  EXPECT_TRUE(Greyed("redo"));
  ChooseMenu("Edit", "undo");
  EXPECT_TRUE(trace.TakeLines().empty()) << "a greyed item does nothing";
  ClickCheckBox(tree(), Object("model", "crate"));
  ChooseMenu("Edit", "delete selected");
  EXPECT_FALSE(Greyed("undo"));
  EXPECT_TRUE(Greyed("redo"));
  ChooseMenu("Edit", "undo");
  EXPECT_TRUE(Greyed("undo"));
  EXPECT_FALSE(Greyed("redo"));
}

TEST_F(UndoRedoTest, AnEditAfterAnUndoDropsWhatCouldHaveBeenRedone) {
  ClickCheckBox(tree(), Object("model", "crate"));
  ChooseMenu("Edit", "delete selected");
  ChooseMenu("Edit", "undo");
  Rename(Object("sound", "horn"), "siren");
  EXPECT_TRUE(Greyed("redo"));
  ChooseMenu("Edit", "undo");
  ChooseMenu("Edit", "undo");
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "model")), (Texts{"crate", "box"}));
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "sound")), (Texts{"horn"}));
}

TEST_F(UndoRedoTest, TheUndoOfADeleteOfEverythingBringsBackEveryFolderAndMark) {
  ClickCheckBox(tree(), nodes().scene2);
  const State before = Now();
  ChooseMenu("Edit", "delete selected");
  EXPECT_EQ(nodes().objects->FirstChild(), nullptr);
  ChooseMenu("Edit", "undo");
  EXPECT_EQ(Now(), before);
}

TEST_F(UndoRedoTest, TheUndoOfADeleteBringsFoldersBackOpenOrClosedAsTheUserLeftThem) {
  const auto folder = [this](const char* name) { return Child(nodes().objects, name); };
  // The sound folder closed by the user's key, the model folder left open.
  tree().Select(folder("sound"));
  SendMessageW(tree().Handle(), WM_KEYDOWN, VK_SUBTRACT, 0);
  ASSERT_FALSE(tree().IsExpanded(*folder("sound")));
  ClickCheckBox(tree(), nodes().objects);
  ChooseMenu("Edit", "delete selected");
  ASSERT_EQ(nodes().objects->FirstChild(), nullptr);
  ChooseMenu("Edit", "undo");
  EXPECT_TRUE(tree().IsExpanded(*folder("model")));
  EXPECT_FALSE(tree().IsExpanded(*folder("sound")));
  EXPECT_NE(tree().ControlItem(*Object("model", "box")), nullptr) << "its nodes shown";
}

}  // namespace

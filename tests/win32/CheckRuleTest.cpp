#include "editor/CheckRule.h"
#include "tests/win32/EditorFixture.h"
#include "tools/gui/FileDialogs.h"
#include "tools/gui/Input.h"
#include "tools/gui/MessageBoxes.h"
#include "tools/gui/TreeClicks.h"
#include "tools/gui/WhenShown.h"
#include "tools/gui/WindowSearch.h"

namespace {

constexpr int kOff = toolkit::kUnchecked;
constexpr int kOn = toolkit::kChecked;

class CheckRuleTest : public EditorTest {
 protected:
  CheckRuleTest() {
    EXPECT_EQ(Load(Scene({Objects({ObjectChunk("crate", 9), ObjectChunk("door1", 9), ObjectChunk("horn", 4),
                                   ObjectChunk("door1", 4)}),
                          Definitions({DefinitionChunk("door1", 6), DefinitionChunk("door2", 6)})})),
              "");
    Expand(nodes().scene2);
  }

  // Every node visible, so that the mouse can reach its check box.
  void Expand(toolkit::TreeItem node) {
    tree().Expand(node);
    for (toolkit::TreeItem child : Children(node)) Expand(child);
  }

  toolkit::TreeItem Object(const char* folder, const char* name) { return Child(Child(nodes().objects, folder), name); }
  toolkit::TreeItem Definition(const char* name) { return Child(Child(nodes().definitions, "door"), name); }
  int State(toolkit::TreeItem node) { return tree().CheckState(node); }
};

}  // namespace

TEST_F(CheckRuleTest, CheckingANodeChecksEverythingBelowAndNothingAbove) {
  ClickCheckBox(tree(), nodes().objects);
  for (toolkit::TreeItem node : {nodes().objects, Child(nodes().objects, "model"), Object("model", "crate"),
                                 Object("model", "door1"), Child(nodes().objects, "sound"), Object("sound", "horn")})
    EXPECT_EQ(State(node), kOn);
  EXPECT_EQ(State(nodes().scene2), kOff);
  EXPECT_EQ(State(nodes().definitions), kOff);
}

TEST_F(CheckRuleTest, UncheckingANodeUnchecksItsAncestorsButNotItsSiblings) {
  ClickCheckBox(tree(), nodes().scene2);
  ClickCheckBox(tree(), Object("model", "crate"));
  for (toolkit::TreeItem node :
       {Object("model", "crate"), Child(nodes().objects, "model"), nodes().objects, nodes().scene2})
    EXPECT_EQ(State(node), kOff);
  for (toolkit::TreeItem node : {Object("model", "door1"), Child(nodes().objects, "sound"), nodes().definitions})
    EXPECT_EQ(State(node), kOn);
}

TEST_F(CheckRuleTest, ADefinitionTakesTheFirstObjectOfItsNameAlong) {
  ClickCheckBox(tree(), Definition("door1"));
  EXPECT_EQ(State(Definition("door1")), kOn);
  EXPECT_EQ(State(Object("model", "door1")), kOn);
  EXPECT_EQ(State(Object("sound", "door1")), kOff);
  EXPECT_EQ(State(Child(nodes().objects, "model")), kOff);

  ClickCheckBox(tree(), Definition("door1"));
  EXPECT_EQ(State(Object("model", "door1")), kOff);
}

TEST_F(CheckRuleTest, ADefinitionFolderDoesNotReachTheObjects) {
  ClickCheckBox(tree(), Child(nodes().definitions, "door"));
  EXPECT_EQ(State(Definition("door1")), kOn);
  EXPECT_EQ(State(Object("model", "door1")), kOff);
}

TEST_F(CheckRuleTest, ADefinitionWithoutItsObjectChangesOnlyItsOwnBranch) {
  ClickCheckBox(tree(), Definition("door2"));
  EXPECT_EQ(State(Definition("door2")), kOn);
  for (toolkit::TreeItem object : Children(Child(nodes().objects, "model"))) EXPECT_EQ(State(object), kOff);
}

TEST_F(CheckRuleTest, AKeyboardToggleChangesThatNodeAlone) {
  tree().Select(nodes().objects);
  SendMessageA(tree().Handle(), WM_KEYDOWN, VK_SPACE, 0);
  SendMessageA(tree().Handle(), WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(State(nodes().objects), kOn);
  EXPECT_EQ(State(Child(nodes().objects, "model")), kOff);
}

TEST_F(CheckRuleTest, FindNodeByTextLooksOnlyTwoLevelsDownAndExactly) {
  EXPECT_EQ(FindNodeByText(tree(), nodes().objects, "door1"), Object("model", "door1"));
  EXPECT_EQ(FindNodeByText(tree(), nodes().objects, "Door1"), nullptr);
  EXPECT_EQ(FindNodeByText(tree(), nodes().objects, "door"), nullptr);
  EXPECT_EQ(FindNodeByText(tree(), nodes().objects, "model"), nullptr);
}

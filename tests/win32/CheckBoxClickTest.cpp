// The check-box rule as the real tree runs it: a mouse click on a box, the
// space bar on the selected node. The rule itself is tested without a window.

#include "tests/win32/EditorFixture.h"
#include "tools/gui/Input.h"
#include "tools/gui/TreeClicks.h"

namespace {

constexpr toolkit::CheckState kOff = toolkit::CheckState::Unchecked;
constexpr toolkit::CheckState kOn = toolkit::CheckState::Checked;

class CheckBoxClickTest : public EditorTest {
 protected:
  CheckBoxClickTest() {
    EXPECT_EQ(Load(Scene({Objects({ObjectChunk("crate", 9), ObjectChunk("door1", 9)}),
                          Definitions({DefinitionChunk("door1", 6)})})),
              "");
    for (SceneNode* section : {nodes().objects, nodes().definitions}) {
      tree().Expand(*section);
      tree().Expand(*Children(section)[0]);
    }
  }

  // The state that the control's item shows, once the program waits for input again.
  toolkit::CheckState Shown(const SceneNode* node) {
    PumpMessages();
    const UINT image = TreeView_GetItemState(tree().Handle(), tree().ControlItem(*node), TVIS_STATEIMAGEMASK) >> 12;
    return image == 2 ? kOn : kOff;
  }
};

}  // namespace

TEST_F(CheckBoxClickTest, AClickOnABoxRunsTheRuleAndEveryItemShowsItsNodesState) {
  SceneNode* model = Child(nodes().objects, "model");
  ClickCheckBox(tree(), nodes().objects);
  for (const SceneNode* node : {nodes().objects, model, Child(model, "crate")}) {
    EXPECT_EQ(node->Check(), kOn);
    EXPECT_EQ(Shown(node), kOn) << node->Text();
  }
  SceneNode* definition = Child(Child(nodes().definitions, "door"), "door1");
  ClickCheckBox(tree(), definition);
  EXPECT_EQ(definition->Check(), kOn);
  ClickCheckBox(tree(), definition);
  EXPECT_EQ(definition->Check(), kOff);
  EXPECT_EQ(Child(model, "door1")->Check(), kOff);
  EXPECT_EQ(Shown(Child(model, "door1")), kOff);
  EXPECT_EQ(Shown(nodes().definitions), kOff);
  EXPECT_EQ(Shown(nodes().objects), kOn);
}

TEST_F(CheckBoxClickTest, TheSpaceBarOnAFolderRunsTheRuleAsAClickDoes) {
  SceneNode* model = Child(nodes().objects, "model");
  tree().Select(model);
  SendMessageA(tree().Handle(), WM_KEYDOWN, VK_SPACE, 0);
  SendMessageA(tree().Handle(), WM_KEYUP, VK_SPACE, 0);
  for (const SceneNode* node : {model, Child(model, "crate"), Child(model, "door1")}) {
    EXPECT_EQ(node->Check(), kOn) << node->Text();
    EXPECT_EQ(Shown(node), kOn) << node->Text();
  }
  EXPECT_EQ(nodes().objects->Check(), kOff) << "a check goes down, not up";

  SendMessageA(tree().Handle(), WM_KEYDOWN, VK_SPACE, 0);
  SendMessageA(tree().Handle(), WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(Child(model, "crate")->Check(), kOff);
  EXPECT_EQ(Shown(Child(model, "door1")), kOff);
}

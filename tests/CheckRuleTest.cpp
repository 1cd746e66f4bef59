// The check-box rule on the scene tree, without a window: what a click on a
// node's box does once the box has flipped.

#include "tests/SceneTreeFixture.h"

namespace {

constexpr toolkit::CheckState kOff = toolkit::CheckState::Unchecked;
constexpr toolkit::CheckState kOn = toolkit::CheckState::Checked;

class CheckRuleTest : public SceneTreeTest {
 protected:
  CheckRuleTest() {
    EXPECT_EQ(Load(Scene({Objects({ObjectChunk("crate", 9), ObjectChunk("door1", 9), ObjectChunk("horn", 4),
                                   ObjectChunk("door1", 4)}),
                          Definitions({DefinitionChunk("door1", 6), DefinitionChunk("door2", 6)})})),
              "");
  }

  SceneNode* Definition(const char* name) { return Child(Child(nodes().definitions, "door"), name); }
  void ExpectStates(std::initializer_list<SceneNode*> nodes, toolkit::CheckState state) {
    for (const SceneNode* node : nodes) EXPECT_EQ(node->Check(), state) << node->Text();
  }
};

}  // namespace

TEST_F(CheckRuleTest, CheckingANodeChecksEverythingBelowAndNothingAbove) {
  ClickBox(nodes().objects);
  ExpectStates({nodes().objects, Child(nodes().objects, "model"), Object("model", "crate"), Object("model", "door1"),
                Child(nodes().objects, "sound"), Object("sound", "horn")},
               kOn);
  ExpectStates({nodes().scene2, nodes().definitions}, kOff);
}

TEST_F(CheckRuleTest, UncheckingANodeUnchecksItsAncestorsButNotItsSiblings) {
  ClickBox(nodes().scene2);
  ClickBox(Object("model", "crate"));
  ExpectStates({Object("model", "crate"), Child(nodes().objects, "model"), nodes().objects, nodes().scene2}, kOff);
  ExpectStates({Object("model", "door1"), Child(nodes().objects, "sound"), nodes().definitions}, kOn);
}

TEST_F(CheckRuleTest, ADefinitionTakesTheFirstObjectOfItsNameAlong) {
  ClickBox(Definition("door1"));
  ExpectStates({Definition("door1"), Object("model", "door1")}, kOn);
  ExpectStates({Object("sound", "door1"), Child(nodes().objects, "model")}, kOff);

  ClickBox(Definition("door1"));
  ExpectStates({Object("model", "door1")}, kOff);
}

TEST_F(CheckRuleTest, ADefinitionFolderDoesNotReachTheObjects) {
  ClickBox(Child(nodes().definitions, "door"));
  ExpectStates({Definition("door1")}, kOn);
  ExpectStates({Object("model", "door1")}, kOff);
}

TEST_F(CheckRuleTest, ADefinitionWithoutItsObjectChangesOnlyItsOwnBranch) {
  ClickBox(Definition("door2"));
  ExpectStates({Definition("door2")}, kOn);
  for (const SceneNode* object : Children(Child(nodes().objects, "model"))) EXPECT_EQ(object->Check(), kOff);
}

TEST_F(CheckRuleTest, FindNodeByTextLooksOnlyTwoLevelsDownAndExactly) {
  EXPECT_EQ(FindNodeByText(*nodes().objects, "door1"), Object("model", "door1"));
  EXPECT_EQ(FindNodeByText(*nodes().objects, "Door1"), nullptr);
  EXPECT_EQ(FindNodeByText(*nodes().objects, "door"), nullptr);
  EXPECT_EQ(FindNodeByText(*nodes().objects, "model"), nullptr);
}

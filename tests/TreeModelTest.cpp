// The tree model that a tree view mirrors: its links and what a view hears.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "treemodel/TreeModel.h"

namespace {

using toolkit::CheckState;
using toolkit::TreeModel;
using toolkit::TreeModelNode;

struct PlainNode : TreeModelNode {};

// Writes down what it hears, one line a change.
class Recorder final : public toolkit::TreeModelListener {
 public:
  void NodeAdded(TreeModelNode& node) override { heard.push_back("added " + node.Text()); }
  void NodeRemoving(TreeModelNode& node) override { heard.push_back("removing " + node.Text()); }
  void NodesCleared() override { heard.push_back("cleared"); }
  void TextChanged(TreeModelNode& node) override { heard.push_back("text " + node.Text()); }
  void CheckChanged(TreeModelNode& node) override { heard.push_back("check " + node.Text()); }
  void BoldChanged(TreeModelNode& node) override { heard.push_back("bold " + node.Text()); }
  void ExpandedChanged(TreeModelNode& node) override {
    heard.push_back((node.Expanded() ? "opened " : "closed ") + node.Text());
  }
  void ChildrenReworking(TreeModelNode& node) override { heard.push_back("reworking " + node.Text()); }
  void ChildrenReworked(TreeModelNode& node) override { heard.push_back("reworked " + node.Text()); }

  std::vector<std::string> heard;
};

std::vector<std::string> TextsBelow(const TreeModelNode* node) {
  std::vector<std::string> texts;
  for (const TreeModelNode* child = node->FirstChild(); child != nullptr; child = child->NextSibling())
    texts.push_back(child->Text());
  return texts;
}

class TreeModelTest : public testing::Test {
 protected:
  TreeModelTest() {
    top = &model.Add<PlainNode>(nullptr, "top");
    for (const char* name : {"a", "b", "c"}) leaves.push_back(&model.Add<PlainNode>(top, name));
    model.SetListener(&recorder);
  }

  TreeModel model;
  Recorder recorder;
  TreeModelNode* top;
  std::vector<TreeModelNode*> leaves;
};

}  // namespace

TEST_F(TreeModelTest, RemovingKeepsTheSiblingsLinked) {
  model.Remove(*leaves[1]);
  EXPECT_EQ(TextsBelow(top), (std::vector<std::string>{"a", "c"}));
  model.Remove(*leaves[0]);
  model.Remove(*leaves[2]);
  EXPECT_EQ(top->FirstChild(), nullptr);
  model.Add<PlainNode>(top, "again");
  EXPECT_EQ(TextsBelow(top), (std::vector<std::string>{"again"}));
  EXPECT_EQ(top->ChildCount(), 1u);
  EXPECT_EQ(model.Count(), 2u);
}

TEST_F(TreeModelTest, RemovingManyTakesNodesGoneWithAnAncestorAlongEarliestFirst) {
  TreeModelNode& second = model.Add<PlainNode>(nullptr, "second");
  TreeModelNode& deep = model.Add<PlainNode>(leaves[2], "deep");
  recorder.heard.clear();
  model.Remove({&deep, leaves[2], &second, leaves[0], leaves[2]});
  EXPECT_EQ(recorder.heard, (std::vector<std::string>{"removing a", "removing c", "removing second"}));
  EXPECT_EQ(TextsBelow(top), (std::vector<std::string>{"b"}));
  EXPECT_EQ(model.TopLevelCount(), 1u);
  EXPECT_EQ(model.Count(), 2u);
}

TEST_F(TreeModelTest, AViewHearsEveryChangeButNoneThatChangesNothing) {
  model.SetCheck(*leaves[0], CheckState::Checked);
  model.SetCheck(*leaves[0], CheckState::Checked);
  model.SetText(*leaves[1], "renamed");
  model.SetBold(*top);
  model.SetExpanded(*top, true);
  model.SetExpanded(*top, true);
  model.SetExpanded(*top, false);
  model.Add<PlainNode>(leaves[2], "new");
  model.Clear();
  EXPECT_EQ(recorder.heard, (std::vector<std::string>{"check a", "text renamed", "bold top", "opened top", "closed top",
                                                      "added new", "cleared"}));
  EXPECT_EQ(model.Count(), 0u);
  EXPECT_EQ(model.FirstTopLevel(), nullptr);
}

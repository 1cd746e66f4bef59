#include "tests/SceneTreeHelpers.h"

#include <gtest/gtest.h>

std::vector<SceneNode*> Children(const SceneNode* node) {
  std::vector<SceneNode*> children;
  for (SceneNode* child = node->FirstChild(); child != nullptr; child = child->NextSibling()) children.push_back(child);
  return children;
}

std::vector<std::string> ChildTexts(const SceneNode* node) {
  std::vector<std::string> texts;
  for (const SceneNode* child : Children(node)) texts.push_back(child->Text());
  return texts;
}

SceneNode* Child(const SceneNode* node, const std::string& text) {
  for (SceneNode* child : Children(node))
    if (child->Text() == text) return child;
  ADD_FAILURE() << "no child " << text;
  return nullptr;
}

std::string TreeDump(const SceneNode& node, int depth) {
  std::string lines = std::string(static_cast<size_t>(depth) * 2, ' ') + node.Text() + (node.Checked() ? " [x]" : "");
  lines += '\n';
  for (const SceneNode* child = node.FirstChild(); child != nullptr; child = child->NextSibling())
    lines += TreeDump(*child, depth + 1);
  return lines;
}

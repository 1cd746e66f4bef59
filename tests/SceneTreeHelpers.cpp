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

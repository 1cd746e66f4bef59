#include "editing/CheckRule.h"

#include "editing/SceneTree.h"

void SetCheckBelow(toolkit::TreeModel& model, const SceneNode& node, toolkit::CheckState state) {
  for (SceneNode* child = node.FirstChild(); child != nullptr; child = child->NextSibling()) {
    if (child->FirstChild() != nullptr) SetCheckBelow(model, *child, state);
    model.SetCheck(*child, state);
  }
}

SceneNode* FindNodeByText(const SceneNode& root, const std::string& text) {
  return FindInFolders(root, [&text](const SceneNode& node) { return node.Text() == text; });
}

void ApplyCheckRule(toolkit::TreeModel& model, const FixedNodes& nodes, SceneNode& node) {
  const toolkit::CheckState state = node.Check();
  SetCheckBelow(model, node, state);
  SceneNode* parent = node.Parent();
  if (parent != nullptr && parent->Parent() == nodes.definitions)
    if (SceneNode* object = FindNodeByText(*nodes.objects, node.Text()); object != nullptr)
      model.SetCheck(*object, state);
  if (state == toolkit::CheckState::Unchecked)
    for (SceneNode* above = parent; above != nullptr; above = above->Parent()) model.SetCheck(*above, state);
}

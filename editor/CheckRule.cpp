#include "editor/CheckRule.h"

void SetCheckBelow(toolkit::TreeView& tree, toolkit::TreeItem node, int state) {
  for (toolkit::TreeItem child = tree.FirstChild(node); child != nullptr; child = tree.NextSibling(child)) {
    if (tree.FirstChild(child) != nullptr) SetCheckBelow(tree, child, state);
    tree.SetCheckState(child, state);
  }
}

toolkit::TreeItem FindNodeByText(const toolkit::TreeView& tree, toolkit::TreeItem root, const std::string& text) {
  return FindInFolders(tree, root, [&text](const std::string& nodeText) { return nodeText == text; });
}

void ApplyCheckRule(toolkit::TreeView& tree, const FixedNodes& nodes, toolkit::TreeItem node) {
  const int state = tree.CheckState(node);
  SetCheckBelow(tree, node, state);
  toolkit::TreeItem parent = tree.Parent(node);
  if (parent != nullptr && tree.Parent(parent) == nodes.definitions)
    if (toolkit::TreeItem object = FindNodeByText(tree, nodes.objects, tree.Text(node)); object != nullptr)
      tree.SetCheckState(object, state);
  if (state == toolkit::kUnchecked)
    for (toolkit::TreeItem above = parent; above != nullptr; above = tree.Parent(above))
      tree.SetCheckState(above, state);
}

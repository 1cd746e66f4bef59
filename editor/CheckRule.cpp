#include "editor/CheckRule.h"

void SetCheckBelow(toolkit::TreeView& tree, HTREEITEM node, int state) {
  for (HTREEITEM child = tree.FirstChild(node); child != nullptr; child = tree.NextSibling(child)) {
    if (tree.FirstChild(child) != nullptr) SetCheckBelow(tree, child, state);
    tree.SetCheckState(child, state);
  }
}

HTREEITEM FindNodeByText(const toolkit::TreeView& tree, HTREEITEM root, const std::string& text) {
  return FindInFolders(tree, root, [&text](const std::string& nodeText) { return nodeText == text; });
}

void ApplyCheckRule(toolkit::TreeView& tree, const FixedNodes& nodes, HTREEITEM node) {
  const int state = tree.CheckState(node);
  SetCheckBelow(tree, node, state);
  HTREEITEM parent = tree.Parent(node);
  if (parent != nullptr && tree.Parent(parent) == nodes.definitions)
    if (HTREEITEM object = FindNodeByText(tree, nodes.objects, tree.Text(node)); object != nullptr)
      tree.SetCheckState(object, state);
  if (state == toolkit::kUnchecked)
    for (HTREEITEM above = parent; above != nullptr; above = tree.Parent(above)) tree.SetCheckState(above, state);
}

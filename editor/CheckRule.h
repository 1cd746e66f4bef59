#pragma once

#include <string>

#include "editor/SceneTree.h"
#include "toolkit/TreeView.h"

// Gives every descendant of `node` the check state, depth first.
void SetCheckBelow(toolkit::TreeView& tree, toolkit::TreeItem node, int state);

// The first chunk node two levels below `root` (a child of one of its
// folders) whose text is `text`, byte for byte; null when there is none.
toolkit::TreeItem FindNodeByText(const toolkit::TreeView& tree, toolkit::TreeItem root, const std::string& text);

// What a click on a node's check box does once the tree has flipped it: the
// state goes down to every descendant, a definition's state to the object of
// the same name, and an unchecked state up to every ancestor.
void ApplyCheckRule(toolkit::TreeView& tree, const FixedNodes& nodes, toolkit::TreeItem node);

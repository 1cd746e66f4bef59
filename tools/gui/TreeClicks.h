#pragma once
// The mouse on the toolkit's tree view, as the tree receives it. The node
// must have an item in the control: its parent opened.

#include "toolkit/TreeView.h"

// A press and release of the left button on a node's check box.
void ClickCheckBox(const toolkit::TreeView& tree, const toolkit::TreeModelNode* node);
// A right click on a node's text.
void RightClickNode(const toolkit::TreeView& tree, const toolkit::TreeModelNode* node);

#pragma once
// The mouse on the toolkit's tree view, as the tree receives it.

#include "toolkit/TreeView.h"

// A press and release of the left button on a node's check box.
void ClickCheckBox(const toolkit::TreeView& tree, toolkit::TreeItem item);
// A right click on a node's text.
void RightClickNode(const toolkit::TreeView& tree, toolkit::TreeItem item);

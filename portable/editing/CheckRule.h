#pragma once
// What a click on a node's check box does once the box has flipped.

#include <string>

#include "editing/SceneNode.h"
#include "treemodel/TreeModel.h"

// Gives every descendant of `node` the check state, depth first.
void SetCheckBelow(toolkit::TreeModel& model, const SceneNode& node, toolkit::CheckState state);

// The first chunk node two levels below `root` (a child of one of its
// folders) whose text is `text`, byte for byte; null when there is none.
SceneNode* FindNodeByText(const SceneNode& root, const std::string& text);

// The state goes down to every descendant, a definition's state to the
// object of the same name, and an unchecked state up to every ancestor.
void ApplyCheckRule(toolkit::TreeModel& model, const FixedNodes& nodes, SceneNode& node);

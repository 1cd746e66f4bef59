#pragma once
// Reading the editor's scene tree in the tests, with and without a window.

#include <string>
#include <vector>

#include "editing/SceneNode.h"

// The children of a node, in order, and their texts.
std::vector<SceneNode*> Children(const SceneNode* node);
std::vector<std::string> ChildTexts(const SceneNode* node);
// The child with the text; a failure of the test when there is none.
SceneNode* Child(const SceneNode* node, const std::string& text);
// Every node from `node` down in tree order, one line each: indented two
// spaces a level, its text, and " [x]" when checked.
std::string TreeDump(const SceneNode& node, int depth = 0);

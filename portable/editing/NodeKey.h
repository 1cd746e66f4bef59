#pragma once
// Names a node of the scene tree by what outlives it, a chunk's identity or a
// folder's section and text: "open.." and an undo make new nodes for the
// same things.

#include <string>

#include "editing/SceneNode.h"
#include "editing/SceneTree.h"

struct NodeKey {
  SceneNodeKind kind = SceneNodeKind::Root;
  size_t section = 0;    // a section's or a folder's: its index in kSceneSections
  ChunkId chunk = 0;     // a chunk node's
  std::string folder{};  // a folder's text
};

NodeKey KeyOf(const SceneTree& tree, const SceneNode& node);
// The node that `key` names, or null.
SceneNode* FindNode(const SceneTree& tree, const NodeKey& key);

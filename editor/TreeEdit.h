#pragma once
// What a command did to the scene tree, kept beside the document's edit so
// that an undo and a redo put the tree back as well as the scene: the nodes
// where they were, with their texts and check states. Nodes are named by
// what outlives them, a chunk's identity or a folder's section and text,
// since "open.." rebuilds the tree with new nodes while the history goes on.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "editor/SceneNode.h"
#include "editor/SceneTree.h"

// Names a node of the scene tree.
struct NodeKey {
  SceneNodeKind kind = SceneNodeKind::Root;
  size_t section = 0;    // a section's or a folder's: its index in kSceneSections
  ChunkId chunk = 0;     // a chunk node's
  std::string folder{};  // a folder's text

  bool operator==(const NodeKey&) const = default;
};

// A node as it stood, one of a run in tree order (depth first).
struct SavedNode {
  SceneNodeKind kind;
  toolkit::CheckState check;
  uint32_t below;  // the nodes after it in the run that lie under it
  ChunkId chunk;
  std::string text;
};

// Nodes that stood among the children of one parent, each with everything
// below it and its index among those children.
struct PlacedNodes {
  NodeKey parent;
  std::vector<uint32_t> indexes;  // ascending, one per node at the top
  std::vector<SavedNode> nodes;   // the tops in order, each followed by what lies below it
};

class TreeEdit {
 public:
  // Each does its change to the tree and records it.
  void Remove(SceneTree& tree, const std::vector<SceneNode*>& nodes);
  void SetText(SceneTree& tree, SceneNode& node, std::string text);
  // SceneTree::AddChunkNode, the node given `check`, recorded with the
  // folder it made, if any.
  SceneNode& AddChunkNode(SceneTree& tree, const PStream& chunk,
                          toolkit::CheckState check = toolkit::CheckState::Unchecked);

  // Does the recorded changes again, in order, or takes them back, last first.
  void Apply(SceneTree& tree) const;
  void Revert(SceneTree& tree) const;

  // The node that the command worked on: selected after an undo or a redo
  // where it exists.
  std::optional<NodeKey> selected;

 private:
  struct Change {
    enum class Kind { Insert, Remove, Text } kind;
    std::vector<PlacedNodes> placed;  // Insert, Remove
    NodeKey node{};                   // Text
    std::string before{}, after{};
  };
  std::vector<Change> changes_;
};

NodeKey KeyOf(const SceneTree& tree, const SceneNode& node);
// The node that `key` names, or null.
SceneNode* FindNode(const SceneTree& tree, const NodeKey& key);

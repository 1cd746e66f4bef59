#pragma once
// The chunk view's tree: the described structure of one chunk, a node for
// each chunk, sub-chunk, field and run of bytes, with the line scene2 show
// gives it (its texts as the scene tree shows names: a backslash as itself)
// and the bytes it spans. A model without a window, like SceneTree.

#include <cstddef>
#include <vector>

#include "scene/ByteView.h"
#include "structure/StructureNode.h"
#include "treemodel/TreeModel.h"

struct StructureTreeNode final : toolkit::TreeModelNode {
  StructureTreeNode(size_t nodeOffset, size_t nodeLength, const StructureNode* describedLine)
      : offset(nodeOffset), length(nodeLength), line(describedLine) {}

  // Every node of a structure tree is one.
  static const StructureTreeNode* Of(const toolkit::TreeModelNode* node) {
    return static_cast<const StructureTreeNode*>(node);
  }

  // The bytes it spans in the chunk, a chunk's header included.
  const size_t offset;
  const size_t length;
  // What the node shows, in the tree's description (StructureTree::Described);
  // null for the line that counts the nodes left out.
  const StructureNode* const line;
};

class StructureTree {
 public:
  // Past this many nodes a tree view under Wine slows to a crawl, for a
  // chunk that no one reads line by line: one last node tells how many more
  // there are.
  static constexpr size_t kMaxNodes = 2000;

  StructureTree() = default;
  StructureTree(const StructureTree&) = delete;
  StructureTree& operator=(const StructureTree&) = delete;

  // The structure of `chunk`, a whole chunk as a section holds it.
  void Show(ByteView chunk);
  void Clear();

  // The description shown, whose nodes the tree's nodes point to; the
  // value editing takes it with the line to change.
  const StructureNode& Described() const { return described_; }
  // The node at the same place as `node` of a tree shown before: reached by
  // the same child indices from the top. Null when there is none.
  toolkit::TreeModelNode* NodeAt(const std::vector<size_t>& path);
  // The child indices that lead from the top to `node`.
  static std::vector<size_t> PathOf(const toolkit::TreeModelNode& node);

  toolkit::TreeModel& Model() { return model_; }
  const toolkit::TreeModel& Model() const { return model_; }

 private:
  // Adds `node` below `parent` and its children below it.
  void Add(toolkit::TreeModelNode* parent, const StructureNode& node);

  toolkit::TreeModel model_;
  StructureNode described_;
};

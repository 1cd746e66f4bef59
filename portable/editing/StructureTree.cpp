#include "editing/StructureTree.h"

#include "scene/Counted.h"
#include "structure/ChunkStructure.h"
#include "structure/StructureLines.h"

void StructureTree::Show(ByteView chunk) {
  model_.Clear();
  size_t omitted = 0;
  described_ = DescribeChunk(chunk, kMaxNodes, &omitted);
  Add(nullptr, described_);
  if (omitted > 0)
    model_.Add<StructureTreeNode>(nullptr,
                                  "... " + Counted(omitted, "more line") + " not shown (scene2 show gives all)",
                                  size_t{0}, chunk.Length(), nullptr);
}

void StructureTree::Clear() {
  model_.Clear();
  described_ = {};
}

void StructureTree::Add(toolkit::TreeModelNode* parent, const StructureNode& node) {
  auto& added = model_.Add<StructureTreeNode>(parent, StructureLine(node, ShownText), node.offset, node.length, &node);
  for (const StructureNode& child : node.children) Add(&added, child);
}

toolkit::TreeModelNode* StructureTree::NodeAt(const std::vector<size_t>& path) {
  toolkit::TreeModelNode* node = nullptr;
  for (const size_t index : path) {
    node = node != nullptr ? node->FirstChild() : model_.FirstTopLevel();
    for (size_t step = 0; step < index && node != nullptr; ++step) node = node->NextSibling();
    if (node == nullptr) return nullptr;
  }
  return node;
}

std::vector<size_t> StructureTree::PathOf(const toolkit::TreeModelNode& node) {
  std::vector<size_t> path;
  for (const toolkit::TreeModelNode* at = &node; at != nullptr; at = at->Parent()) {
    size_t index = 0;
    for (const toolkit::TreeModelNode* before = at->PreviousSibling(); before != nullptr;
         before = before->PreviousSibling())
      ++index;
    path.insert(path.begin(), index);
  }
  return path;
}

#include "editing/StructureTree.h"

#include "scene/Counted.h"
#include "structure/ChunkStructure.h"
#include "structure/StructureLines.h"

void StructureTree::Show(ByteView chunk) {
  model_.Clear();
  size_t omitted = 0;
  Add(nullptr, DescribeChunk(chunk, kMaxNodes, &omitted));
  if (omitted > 0)
    model_.Add<StructureTreeNode>(nullptr,
                                  "... " + Counted(omitted, "more line") + " not shown (scene2 show gives all)",
                                  size_t{0}, chunk.Length());
}

void StructureTree::Add(toolkit::TreeModelNode* parent, const StructureNode& node) {
  auto& added = model_.Add<StructureTreeNode>(parent, StructureLine(node), node.offset, node.length);
  for (const StructureNode& child : node.children) Add(&added, child);
}

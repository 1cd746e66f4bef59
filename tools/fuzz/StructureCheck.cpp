#include "tools/fuzz/StructureCheck.h"

#include "structure/ChunkStructure.h"
#include "tools/fuzz/Require.h"

namespace {

void CheckNode(ByteView chunk, const StructureNode& node, size_t start, size_t end) {
  Require(node.offset >= start && node.offset <= end && node.length <= end - node.offset,
          "a described node outside its parent");
  const ByteView leaf = LeafBytes(chunk, node);
  Require(leaf.Length() == 0 ||
              (leaf.Data() >= chunk.Data() && leaf.Data() + leaf.Length() <= chunk.Data() + chunk.Length()),
          "a leaf's bytes outside the chunk");
  for (const StructureNode& child : node.children) CheckNode(chunk, child, node.offset, node.offset + node.length);
}

}  // namespace

void CheckStructure(ByteView chunk) {
  const StructureNode root = DescribeChunk(chunk);
  Require(root.offset == 0 && root.length == chunk.Length(), "the description does not span the chunk");
  CheckNode(chunk, root, 0, chunk.Length());
}

#include "tools/fuzz/StructureCheck.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "structure/ChunkStructure.h"
#include "structure/StructureLines.h"
#include "structure/ValueEditing.h"
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

// The nodes' lines in file order, as scene2 show lists them.
void AddLines(const StructureNode& node, std::vector<std::string>& lines) {
  lines.push_back(StructureLine(node));
  for (const StructureNode& child : node.children) AddLines(child, lines);
}

// The fields that a run of set finds without describing the chunk: each
// found where a description finds it first.
void CheckItemFields(ByteView chunk, const StructureNode& root) {
  for (const char* field : {"position", "rotation", "scale", "position copy", "type"}) {
    const StructureNode* described = FindValueLine(root, field);
    const std::optional<StructureNode> found = DescribeItemSubChunk(chunk, ItemFieldEntries(field));
    Require(found.has_value() == (described != nullptr), "a field of an item's own run found where none is described");
    if (found)
      Require(found->offset == described->offset && found->valueKind == described->valueKind &&
                  found->count == described->count && found->value == described->value,
              "a field of an item's own run found other than described");
  }
}

}  // namespace

void CheckStructure(ByteView chunk) {
  const StructureNode root = DescribeChunk(chunk);
  Require(root.offset == 0 && root.length == chunk.Length(), "the description does not span the chunk");
  CheckNode(chunk, root, 0, chunk.Length());
  CheckItemFields(chunk, root);
  // As the editor shows it: the first lines, and a count of the rest.
  std::vector<std::string> whole;
  AddLines(root, whole);
  size_t omitted = 0;
  const StructureNode cut = DescribeChunk(chunk, whole.size() / 2 + 1, &omitted);
  CheckNode(chunk, cut, 0, chunk.Length());
  std::vector<std::string> first;
  AddLines(cut, first);
  Require(first.size() + omitted <= whole.size() && std::equal(first.begin(), first.end(), whole.begin()),
          "a cut description is no beginning of the whole, or counts more than it left out");
}

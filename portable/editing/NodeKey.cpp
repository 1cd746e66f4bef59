#include "editing/NodeKey.h"

NodeKey KeyOf(const SceneTree& tree, const SceneNode& node) {
  switch (node.kind) {
    case SceneNodeKind::Root:
      return {};
    case SceneNodeKind::Section:
      return {.kind = node.kind, .section = tree.SectionIndexOf(node)};
    case SceneNodeKind::Folder:
      return {.kind = node.kind, .section = tree.SectionIndexOf(node), .folder = node.Text()};
    case SceneNodeKind::Chunk:
      break;
  }
  return {.kind = node.kind, .chunk = node.chunk};
}

SceneNode* FindNode(const SceneTree& tree, const NodeKey& key) {
  const FixedNodes& nodes = tree.Nodes();
  switch (key.kind) {
    case SceneNodeKind::Root:
      return nodes.scene2;
    case SceneNodeKind::Section:
      return nodes.OfSection(kSceneSections[key.section]);
    case SceneNodeKind::Folder:
      return SceneTree::FolderOf(*nodes.OfSection(kSceneSections[key.section]), key.folder);
    case SceneNodeKind::Chunk:
      break;
  }
  return tree.NodeOfChunk(key.chunk);
}

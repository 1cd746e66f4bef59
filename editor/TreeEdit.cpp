#include "editor/TreeEdit.h"

#include <algorithm>

namespace {

size_t SectionIndexOf(const SceneTree& tree, const SceneNode& section) {
  for (size_t index = 0; index < kSceneSectionCount; ++index)
    if (tree.Nodes().OfSection(kSceneSections[index]) == &section) return index;
  return 0;
}

// Appends the node and everything below it to `run`, in tree order.
void Save(const SceneNode& node, std::vector<SavedNode>& run) {
  const size_t at = run.size();
  run.push_back({node.kind, node.Check(), 0, node.chunk, node.Text()});
  for (const SceneNode* child = node.FirstChild(); child != nullptr; child = child->NextSibling()) Save(*child, run);
  run[at].below = static_cast<uint32_t>(run.size() - at - 1);
}

// Puts back the node at `run[at]` with everything below it, right after
// `previous` among the children of `parent`; `at` moves past them.
SceneNode& Restore(SceneTree& tree, SceneNode& parent, SceneNode* previous, const std::vector<SavedNode>& run,
                   size_t& at) {
  const SavedNode& saved = run[at++];
  SceneNode& node = tree.InsertNode(parent, previous, saved.kind, saved.text, saved.chunk);
  tree.Model().SetCheck(node, saved.check);
  const size_t end = at + saved.below;
  SceneNode* last = nullptr;
  while (at < end) last = &Restore(tree, node, last, run, at);
  return node;
}

// The parent that the nodes stood under. A rebuild of the tree since drops
// folders that had no chunk left; such a folder is made again.
SceneNode* ParentOf(SceneTree& tree, const NodeKey& key) {
  if (SceneNode* parent = FindNode(tree, key)) return parent;
  if (key.kind != SceneNodeKind::Folder) return nullptr;
  SceneNode& section = *tree.Nodes().OfSection(kSceneSections[key.section]);
  return &tree.InsertNode(section, section.LastChild(), SceneNodeKind::Folder, key.folder);
}

void Insert(SceneTree& tree, const PlacedNodes& placed) {
  SceneNode* parent = ParentOf(tree, placed.parent);
  if (parent == nullptr) return;
  const toolkit::TreeModel::Rework rework(tree.Model(), *parent, placed.indexes.size());
  // One walk along the children: `previous` is the child at index `at` - 1.
  SceneNode* previous = nullptr;
  uint32_t at = 0;
  size_t next = 0;
  for (const uint32_t index : placed.indexes) {
    for (SceneNode* following; at < index; ++at, previous = following) {
      following = previous != nullptr ? previous->NextSibling() : parent->FirstChild();
      if (following == nullptr) break;  // fewer children than before a rebuild: at the end
    }
    previous = &Restore(tree, *parent, previous, placed.nodes, next);
    ++at;
  }
}

NodeKey KeyOfSaved(const NodeKey& parent, const SavedNode& saved) {
  if (saved.kind == SceneNodeKind::Folder)
    return {.kind = SceneNodeKind::Folder, .section = parent.section, .folder = saved.text};
  return {.kind = saved.kind, .chunk = saved.chunk};
}

void Remove(SceneTree& tree, const PlacedNodes& placed) {
  std::vector<SceneNode*> going;
  for (size_t top = 0; top < placed.nodes.size(); top += 1 + placed.nodes[top].below)
    if (SceneNode* node = FindNode(tree, KeyOfSaved(placed.parent, placed.nodes[top]))) going.push_back(node);
  tree.Remove(going);
}

}  // namespace

NodeKey KeyOf(const SceneTree& tree, const SceneNode& node) {
  switch (node.kind) {
    case SceneNodeKind::Root:
      return {};
    case SceneNodeKind::Section:
      return {.kind = node.kind, .section = SectionIndexOf(tree, node)};
    case SceneNodeKind::Folder:
      return {.kind = node.kind, .section = SectionIndexOf(tree, *node.Parent()), .folder = node.Text()};
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

void TreeEdit::Remove(SceneTree& tree, const std::vector<SceneNode*>& nodes) {
  if (nodes.empty()) return;
  // Only the highest of the nodes are saved: the others lie below them.
  // Each parent's children are walked once, in order, to find the indexes;
  // the highest nodes are marked for the walk by being in a sorted list.
  std::vector<SceneNode*> highest;
  for (toolkit::TreeModelNode* node :
       toolkit::TreeModel::Highest(std::vector<toolkit::TreeModelNode*>(nodes.begin(), nodes.end())))
    highest.push_back(SceneNode::Of(node));
  std::vector<SceneNode*> parents;
  for (const SceneNode* node : highest) parents.push_back(node->Parent());
  // In the order they were made, so the record is the same every time.
  std::sort(parents.begin(), parents.end(),
            [](const SceneNode* a, const SceneNode* b) { return a->Order() < b->Order(); });
  parents.erase(std::unique(parents.begin(), parents.end()), parents.end());
  std::sort(highest.begin(), highest.end());
  Change change{.kind = Change::Kind::Remove, .placed = {}};
  for (const SceneNode* parent : parents) {
    PlacedNodes& placed = change.placed.emplace_back();
    placed.parent = KeyOf(tree, *parent);
    uint32_t index = 0;
    for (SceneNode* child = parent->FirstChild(); child != nullptr; child = child->NextSibling(), ++index) {
      if (!std::binary_search(highest.begin(), highest.end(), child)) continue;
      placed.indexes.push_back(index);
      Save(*child, placed.nodes);
    }
  }
  tree.Remove(highest);
  changes_.push_back(std::move(change));
}

void TreeEdit::SetText(SceneTree& tree, SceneNode& node, std::string text) {
  changes_.push_back(
      {.kind = Change::Kind::Text, .placed = {}, .node = KeyOf(tree, node), .before = node.Text(), .after = text});
  tree.Model().SetText(node, std::move(text));
}

SceneNode& TreeEdit::AddChunkNode(SceneTree& tree, const PStream& chunk, toolkit::CheckState check) {
  SceneNode& node = tree.AddChunkNode(chunk);
  tree.Model().SetCheck(node, check);
  // A folder made for it was made right before it.
  SceneNode* parent = node.Parent();
  const bool madeFolder = parent->kind == SceneNodeKind::Folder && parent->Order() + 1 == node.Order();
  const SceneNode& top = madeFolder ? *parent : node;
  Change change{.kind = Change::Kind::Insert, .placed = {}};
  PlacedNodes& placed = change.placed.emplace_back();
  placed.parent = KeyOf(tree, *top.Parent());
  placed.indexes.push_back(static_cast<uint32_t>(top.Parent()->ChildCount() - 1));  // added last
  Save(top, placed.nodes);
  changes_.push_back(std::move(change));
  return node;
}

void TreeEdit::Apply(SceneTree& tree) const {
  for (const Change& change : changes_) {
    switch (change.kind) {
      case Change::Kind::Insert:
        for (const PlacedNodes& placed : change.placed) Insert(tree, placed);
        break;
      case Change::Kind::Remove:
        for (const PlacedNodes& placed : change.placed) ::Remove(tree, placed);
        break;
      case Change::Kind::Text:
        if (SceneNode* node = FindNode(tree, change.node)) tree.Model().SetText(*node, change.after);
        break;
    }
  }
}

void TreeEdit::Revert(SceneTree& tree) const {
  for (auto change = changes_.rbegin(); change != changes_.rend(); ++change) {
    switch (change->kind) {
      case Change::Kind::Insert:
        for (const PlacedNodes& placed : change->placed) ::Remove(tree, placed);
        break;
      case Change::Kind::Remove:
        for (const PlacedNodes& placed : change->placed) Insert(tree, placed);
        break;
      case Change::Kind::Text:
        if (SceneNode* node = FindNode(tree, change->node)) tree.Model().SetText(*node, change->before);
        break;
    }
  }
}

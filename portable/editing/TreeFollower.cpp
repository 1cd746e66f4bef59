#include "editing/TreeFollower.h"

#include <algorithm>
#include <optional>

#include "scene/ChunkCatalogue.h"
#include "scene/qScene2bin.h"

namespace {

using Step = DocumentChange::Step;

// The index of each node among its siblings, before any of them goes: one
// walk along the children of each parent.
std::vector<uint32_t> IndexesOf(const std::vector<SceneNode*>& nodes) {
  std::vector<const SceneNode*> sorted(nodes.begin(), nodes.end());
  std::sort(sorted.begin(), sorted.end());
  std::vector<const SceneNode*> parents;
  for (const SceneNode* node : nodes) parents.push_back(node->Parent());
  std::sort(parents.begin(), parents.end());
  parents.erase(std::unique(parents.begin(), parents.end()), parents.end());
  std::vector<uint32_t> sortedIndexes(sorted.size());
  for (const SceneNode* parent : parents) {
    uint32_t index = 0;
    for (const SceneNode* child = parent->FirstChild(); child != nullptr; child = child->NextSibling(), ++index)
      if (const auto found = std::lower_bound(sorted.begin(), sorted.end(), child);
          found != sorted.end() && *found == child)
        sortedIndexes[static_cast<size_t>(found - sorted.begin())] = index;
  }
  std::vector<uint32_t> indexes;
  for (const SceneNode* node : nodes)
    indexes.push_back(sortedIndexes[static_cast<size_t>(
        std::lower_bound(sorted.begin(), sorted.end(), static_cast<const SceneNode*>(node)) - sorted.begin())]);
  return indexes;
}

uint32_t IndexAmongSiblings(const SceneNode& node) {
  uint32_t index = 0;
  for (const SceneNode* sibling = node.Parent()->FirstChild(); sibling != &node; sibling = sibling->NextSibling())
    ++index;
  return index;
}

// Walks the children of a parent once to put new ones at ascending indexes.
class Inserting {
 public:
  explicit Inserting(SceneNode& parent) : parent_(parent) {}
  // The child that a new child at `index` comes right after (null: first);
  // after the last when there are fewer.
  SceneNode* PreviousFor(uint32_t index) {
    for (SceneNode* next; at_ < index; ++at_, previous_ = next) {
      next = previous_ != nullptr ? previous_->NextSibling() : parent_.FirstChild();
      if (next == nullptr) break;
    }
    return previous_;
  }
  void Inserted(SceneNode& node) {
    previous_ = &node;
    ++at_;
  }

 private:
  SceneNode& parent_;
  SceneNode* previous_ = nullptr;
  uint32_t at_ = 0;  // the index of the slot right after previous_
};

bool SameHome(const SceneTree::Home& a, const SceneTree::Home& b) {
  return a.section == b.section && a.folder == b.folder;
}

}  // namespace

// A chunk whose node comes into the tree. An undo puts back the node and
// its folder with the marks they had; a redo brings them as the edit did,
// a new node and a new folder unchecked, a moved node with its mark.
struct TreeFollower::Entering {
  ChunkRef chunk;
  toolkit::CheckState check = toolkit::CheckState::Unchecked;  // at a redo
  std::optional<Place> place;                                  // where it stood in the folder of its type, when it did
};

void TreeFollower::Remove(SceneTree& tree, const std::vector<SceneNode*>& nodes) {
  if (nodes.empty()) return;
  std::vector<SceneNode*> highest;
  for (toolkit::TreeModelNode* node :
       toolkit::TreeModel::Highest(std::vector<toolkit::TreeModelNode*>(nodes.begin(), nodes.end())))
    highest.push_back(SceneNode::Of(node));
  const std::vector<uint32_t> indexes = IndexesOf(highest);
  ++steps_;
  const auto remember = [&](const SceneNode& node, uint32_t index, uint32_t folderIndex, bool withFolder) {
    const SceneNode& parent = *node.Parent();
    const bool inFolder = parent.kind == SceneNodeKind::Folder;
    places_[node.chunk] = {.step = steps_,
                           .home = {tree.SectionIndexOf(node), inFolder ? parent.Text() : std::string()},
                           .index = index,
                           .check = node.Check(),
                           .folderIndex = folderIndex,
                           .folderCheck = parent.Check()};
    taken_.push_back({node.chunk, withFolder});
  };
  const SceneNode* lastFolder = nullptr;  // a delete takes many nodes of one folder
  uint32_t lastFolderIndex = 0;
  for (size_t at = 0; at < highest.size(); ++at) {
    const SceneNode& node = *highest[at];
    if (node.kind == SceneNodeKind::Chunk) {
      const SceneNode* parent = node.Parent();
      if (parent != lastFolder && parent->kind == SceneNodeKind::Folder) {
        lastFolder = parent;
        lastFolderIndex = IndexAmongSiblings(*parent);
      }
      remember(node, indexes[at], parent == lastFolder ? lastFolderIndex : 0, false);
      continue;
    }
    uint32_t index = 0;
    for (const SceneNode* child = node.FirstChild(); child != nullptr; child = child->NextSibling(), ++index)
      remember(*child, index, indexes[at], true);
  }
  tree.Remove(highest);
}

void TreeFollower::Settle(const SceneTree& tree, const SceneDocument& document, ChunkId first) {
  std::vector<ChunkId> orphans;
  for (const Taken& taken : taken_) {
    if (tree.NodeOfChunk(taken.chunk) == nullptr && document.Get(taken.chunk) != nullptr) {
      orphans.push_back(taken.chunk);
      continue;
    }
    if (taken.withFolder)
      wentWithFolder_.insert(taken.chunk);
    else
      wentWithFolder_.erase(taken.chunk);
  }
  taken_.clear();
  if (first == 0) return;
  if (orphans.empty())
    alongside_.erase(first);
  else
    alongside_[first] = std::move(orphans);
}

void TreeFollower::NoteFolder(ChunkId chunk, bool made) {
  if (made)
    madeFolder_.insert(chunk);
  else
    madeFolder_.erase(chunk);
}

void TreeFollower::Append(SceneTree& tree, const ChunkRef& chunk, toolkit::CheckState check, bool note) {
  const bool made = tree.ParentFor(chunk.Bytes()) == nullptr;
  tree.Model().SetCheck(tree.AddChunkNode(chunk), check);
  if (note) NoteFolder(chunk.id, made);
}

void TreeFollower::PutBack(SceneTree& tree, std::vector<Entering>& entering, bool redone) {
  std::stable_sort(entering.begin(), entering.end(), [](const Entering& a, const Entering& b) {
    if (!a.place || !b.place) return a.place.has_value() && !b.place.has_value();
    const Place& p = *a.place;
    const Place& q = *b.place;
    if (p.step != q.step) return p.step > q.step;
    if (p.home.section != q.home.section) return p.home.section < q.home.section;
    if (p.home.folder != q.home.folder) return p.home.folder < q.home.folder;
    return p.index < q.index;
  });
  for (size_t begin = 0, end = 0; begin < entering.size(); begin = end) {
    const Entering& head = entering[begin];
    if (!head.place) {
      Append(tree, head.chunk, head.check, redone);
      end = begin + 1;
      continue;
    }
    const Place& place = *head.place;
    end = begin + 1;
    while (end < entering.size() && entering[end].place && entering[end].place->step == place.step &&
           SameHome(entering[end].place->home, place.home))
      ++end;
    SceneNode* parent = tree.ParentFor(head.chunk.Bytes());
    const bool made = parent == nullptr;
    if (made) {
      SceneNode& section = *tree.Nodes().OfSection(kSceneSections[place.home.section]);
      parent = &tree.MakeFolderFor(head.chunk.Bytes(), Inserting(section).PreviousFor(place.folderIndex));
      if (!redone) tree.Model().SetCheck(*parent, place.folderCheck);
    }
    const toolkit::TreeModel::Rework rework(tree.Model(), *parent, end - begin);
    Inserting inserting(*parent);
    for (size_t at = begin; at < end; ++at) {
      const Entering& chunk = entering[at];
      SceneNode& node = tree.InsertNode(*parent, inserting.PreviousFor(chunk.place->index), SceneNodeKind::Chunk,
                                        GetChunkName(chunk.chunk.Bytes()), chunk.chunk.id);
      tree.Model().SetCheck(node, redone ? chunk.check : chunk.place->check);
      inserting.Inserted(node);
      if (redone) NoteFolder(chunk.chunk.id, made && at == begin);
    }
  }
}

void TreeFollower::Follow(SceneTree& tree, const SceneDocument& document, std::span<const ChunkId> order) {
  const DocumentChange& change = document.LastChange();
  const bool undone = change.step == Step::Undone;
  const bool redone = change.step == Step::Redone;
  // The first chunk that an edit deletes names it among its undos and redos.
  ChunkId firstRemoved = 0;
  ChunkId firstAdded = 0;
  for (const DocumentChange::Section& section : change.sections) {
    if (firstRemoved == 0 && !section.removed.empty()) firstRemoved = section.removed.front().id;
    if (firstAdded == 0 && !section.added.empty()) firstAdded = section.added.front().id;
  }

  // A node goes alone, or with its folder: at an undo the folder made for
  // it, at a redo the folder that the edit took along.
  std::vector<SceneNode*> going;
  const auto goes = [&](SceneNode& node, ChunkId chunk) {
    const bool withFolder = undone ? madeFolder_.contains(chunk) : redone && wentWithFolder_.contains(chunk);
    SceneNode* parent = node.Parent();
    going.push_back(withFolder && parent->kind == SceneNodeKind::Folder ? parent : &node);
  };
  for (const DocumentChange::Section& section : change.sections)
    for (const DocumentChange::ListedChunk& removed : section.removed)
      if (SceneNode* node = tree.NodeOfChunk(removed.id)) goes(*node, removed.id);

  if (change.step == Step::Done) {
    Remove(tree, going);
    const auto bring = [&](ChunkId id) {
      const ChunkRef chunk = document.Get(id);
      SceneNode* node = tree.NodeOfChunk(id);
      if (chunk == nullptr) return;
      if (node == nullptr) {
        Append(tree, chunk, toolkit::CheckState::Unchecked, true);
      } else if (!tree.StandsRight(*node, chunk.Bytes())) {
        const toolkit::CheckState check = node->Check();  // moved with its mark
        Remove(tree, {node});
        Append(tree, chunk, check, true);
      } else if (std::string name = GetChunkName(chunk.Bytes()); name != node->Text()) {
        tree.Model().SetText(*node, std::move(name));
      }
    };
    if (!order.empty()) {
      for (const ChunkId id : order) bring(id);
    } else {
      for (const DocumentChange::Section& section : change.sections) {
        for (const DocumentChange::ListedChunk& replaced : section.replaced) bring(replaced.id);
        for (const DocumentChange::ListedChunk& added : section.added) bring(added.id);
      }
    }
    Settle(tree, document, firstRemoved);
  } else {
    std::vector<Entering> entering;
    const auto enters = [&](ChunkRef chunk, toolkit::CheckState check) {
      std::optional<Place> place;
      if (const auto found = places_.find(chunk.id);
          found != places_.end() && SameHome(found->second.home, tree.HomeOf(chunk.Bytes())))
        place = found->second;
      entering.push_back({std::move(chunk), check, std::move(place)});
    };
    for (size_t index = 0; index < kSceneSectionCount; ++index) {
      const DocumentChange::Section& section = change.sections[index];
      const ChunkList& list = document.List(kSceneSections[index]);
      for (const DocumentChange::ListedChunk& added : section.added)
        enters(list.Ref(added.index), toolkit::CheckState::Unchecked);
      for (const DocumentChange::ListedChunk& replaced : section.replaced) {
        ChunkRef chunk = list.Ref(replaced.index);
        SceneNode* node = tree.NodeOfChunk(replaced.id);
        if (node == nullptr) continue;
        if (tree.StandsRight(*node, chunk.Bytes())) {
          if (std::string name = GetChunkName(chunk.Bytes()); name != node->Text())
            tree.Model().SetText(*node, std::move(name));
          continue;
        }
        enters(std::move(chunk), node->Check());
        goes(*node, replaced.id);
      }
    }
    // The undo of a delete brings back what went with a checked folder; its
    // redo takes it again.
    if (const auto along = alongside_.find(undone ? firstAdded : firstRemoved); along != alongside_.end()) {
      for (const ChunkId id : along->second) {
        SceneNode* node = tree.NodeOfChunk(id);
        if (redone && node != nullptr) {
          going.push_back(node->Parent()->kind == SceneNodeKind::Folder ? node->Parent() : node);
        } else if (undone && node == nullptr) {
          if (ChunkRef chunk = document.Get(id)) enters(std::move(chunk), toolkit::CheckState::Unchecked);
        }
      }
    }
    Remove(tree, going);
    if (redone)
      Settle(tree, document, firstRemoved);
    else
      taken_.clear();
    PutBack(tree, entering, redone);
  }
}

void TreeFollower::Forget() {
  places_.clear();
  wentWithFolder_.clear();
  madeFolder_.clear();
  alongside_.clear();
  taken_.clear();
}

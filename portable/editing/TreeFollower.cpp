#include "editing/TreeFollower.h"

#include <algorithm>
#include <iterator>
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

}  // namespace

// A chunk whose node comes into the tree. An undo puts back the node and
// its folder with the marks they had; a redo brings them as the edit did,
// a new node and a new folder unchecked, a moved node with its mark.
struct TreeFollower::Entering {
  ChunkRef chunk;
  toolkit::CheckState check = toolkit::CheckState::Unchecked;  // at a redo
  std::optional<Spot> spot;  // where it stood in the folder of its type, when it did
  std::string text;          // its node's then; empty: read from its bytes
};

uint16_t TreeFollower::HomeKey(const SceneTree::Home& home) {
  const auto known = std::find(homes_.begin(), homes_.end(), home);
  if (known != homes_.end()) return static_cast<uint16_t>(known - homes_.begin());
  homes_.push_back(home);
  return static_cast<uint16_t>(homes_.size() - 1);
}

void TreeFollower::Remove(SceneTree& tree, const std::vector<SceneNode*>& nodes) {
  if (nodes.empty()) return;
  std::vector<SceneNode*> highest;
  for (toolkit::TreeModelNode* node :
       toolkit::TreeModel::Highest(std::vector<toolkit::TreeModelNode*>(nodes.begin(), nodes.end())))
    highest.push_back(SceneNode::Of(node));
  const std::vector<uint32_t> indexes = IndexesOf(highest);
  ++steps_;
  const SceneNode* lastParent = nullptr;  // and the home of its nodes
  uint16_t home = 0;
  const auto remember = [&](const SceneNode& node, uint32_t index, uint32_t folderIndex, bool withFolder) {
    const SceneNode& parent = *node.Parent();
    if (&parent != lastParent) {
      lastParent = &parent;
      const bool inFolder = parent.kind == SceneNodeKind::Folder;
      home = HomeKey({tree.SectionIndexOf(node), inFolder ? parent.Text() : std::string()});
    }
    uint32_t& at = placeOf_[node.chunk];
    if (at == 0) {
      places_.emplace_back();
      at = static_cast<uint32_t>(places_.size());
    }
    Place& place = places_[at - 1];
    place.spot = {.step = steps_,
                  .index = index,
                  .folderIndex = folderIndex,
                  .home = home,
                  .check = node.Check(),
                  .folderCheck = parent.Check()};
    place.text = node.Text();
    taken_.push_back({at - 1, node.chunk, withFolder});
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

void TreeFollower::Settle(const SceneTree& tree, const DocumentChange& change, ChunkId first) {
  // A node that went with its folder while the step left its chunk in the
  // document: sorted lists rather than a search of the document for each.
  std::vector<ChunkId> along;
  for (const Taken& taken : taken_) {
    places_[taken.place].withFolder = taken.withFolder;
    if (taken.withFolder) along.push_back(taken.chunk);
  }
  taken_.clear();
  if (first == 0) return;
  std::vector<ChunkId> removed;
  for (const DocumentChange::Section& section : change.sections)
    for (const DocumentChange::ListedChunk& chunk : section.removed) removed.push_back(chunk.id);
  std::sort(along.begin(), along.end());
  std::sort(removed.begin(), removed.end());
  std::vector<ChunkId> stayed;
  std::set_difference(along.begin(), along.end(), removed.begin(), removed.end(), std::back_inserter(stayed));
  std::erase_if(stayed, [&tree](ChunkId chunk) { return tree.NodeOfChunk(chunk) != nullptr; });
  if (stayed.empty())
    alongside_.erase(first);
  else
    alongside_[first] = std::move(stayed);
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
  // By step, the last first; in a step by home and index; those never seen
  // last, in the order they came. Sorted as keys of their own, which lie
  // side by side, rather than by looking at the chunks.
  struct Key {
    bool unseen;
    uint32_t laterStep;
    uint16_t home;
    uint32_t index;
    uint32_t at;
    auto operator<=>(const Key&) const = default;
  };
  std::vector<Key> keys;
  keys.reserve(entering.size());
  for (uint32_t at = 0; at < entering.size(); ++at) {
    const std::optional<Spot>& spot = entering[at].spot;
    keys.push_back(spot ? Key{false, ~spot->step, spot->home, spot->index, at} : Key{true, 0, 0, 0, at});
  }
  std::sort(keys.begin(), keys.end());
  std::vector<uint32_t> order;
  order.reserve(keys.size());
  for (const Key& key : keys) order.push_back(key.at);
  for (size_t begin = 0, end = 0; begin < order.size(); begin = end) {
    Entering& head = entering[order[begin]];
    end = begin + 1;
    if (!head.spot) {
      Append(tree, head.chunk, head.check, redone);
      continue;
    }
    const Spot& spot = *head.spot;
    while (end < order.size() && entering[order[end]].spot && entering[order[end]].spot->step == spot.step &&
           entering[order[end]].spot->home == spot.home)
      ++end;
    SceneNode* parent = tree.ParentFor(head.chunk.Bytes());
    const bool made = parent == nullptr;
    if (made) {
      SceneNode& section = *tree.Nodes().OfSection(kSceneSections[homes_[spot.home].section]);
      parent = &tree.MakeFolderFor(head.chunk.Bytes(), Inserting(section).PreviousFor(spot.folderIndex));
      if (!redone) tree.Model().SetCheck(*parent, spot.folderCheck);
    }
    const toolkit::TreeModel::Rework rework(tree.Model(), *parent, end - begin);
    Inserting inserting(*parent);
    for (size_t at = begin; at < end; ++at) {
      Entering& chunk = entering[order[at]];
      // A nameless chunk's text is read again, so that it says why.
      if (chunk.text.empty()) chunk.text = GetChunkName(chunk.chunk.Bytes());
      SceneNode& node = tree.InsertNode(*parent, inserting.PreviousFor(chunk.spot->index), SceneNodeKind::Chunk,
                                        std::move(chunk.text), chunk.chunk.id);
      tree.Model().SetCheck(node, redone ? chunk.check : chunk.spot->check);
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
  // it, at a redo the folder that the edit took along. A folder is listed
  // once, not once for each of its nodes.
  std::vector<SceneNode*> going;
  std::vector<SceneNode*> goingFolders;  // a few dozen at most
  const auto goes = [&](SceneNode& node, ChunkId chunk) {
    const uint32_t place = placeOf_.Find(chunk);
    const bool withFolder =
        undone ? madeFolder_.contains(chunk) : redone && place != 0 && places_[place - 1].withFolder;
    SceneNode* parent = node.Parent();
    if (!withFolder || parent->kind != SceneNodeKind::Folder)
      going.push_back(&node);
    else if (std::find(goingFolders.begin(), goingFolders.end(), parent) == goingFolders.end())
      goingFolders.push_back(parent);
  };
  const auto gone = [&] {
    going.insert(going.end(), goingFolders.begin(), goingFolders.end());
    Remove(tree, going);
  };
  for (const DocumentChange::Section& section : change.sections)
    for (const DocumentChange::ListedChunk& removed : section.removed)
      if (SceneNode* node = tree.NodeOfChunk(removed.id)) goes(*node, removed.id);

  if (change.step == Step::Done) {
    gone();
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
    Settle(tree, change, firstRemoved);
  } else {
    std::vector<Entering> entering;
    size_t comes = 0;
    for (const DocumentChange::Section& section : change.sections) comes += section.added.size() + section.replaced.size();
    entering.reserve(comes);
    // A chunk that comes back brings the bytes it had when its node left;
    // one that was replaced has bytes of its own, which may name another
    // home and are named anew.
    const auto enters = [&](ChunkRef chunk, toolkit::CheckState check, bool replaced) {
      Entering& entry = entering.emplace_back(Entering{std::move(chunk), check, std::nullopt, {}});
      const uint32_t at = placeOf_.Find(entry.chunk.id);
      if (at == 0) return;
      Place& place = places_[at - 1];
      if (!replaced) {
        entry.spot = place.spot;
        entry.text = std::move(place.text);
      } else if (homes_[place.spot.home] == tree.HomeOf(entry.chunk.Bytes())) {
        entry.spot = place.spot;
      }
    };
    for (size_t index = 0; index < kSceneSectionCount; ++index) {
      const DocumentChange::Section& section = change.sections[index];
      const ChunkList& list = document.List(kSceneSections[index]);
      for (const DocumentChange::ListedChunk& added : section.added)
        enters(list.Ref(added.index), toolkit::CheckState::Unchecked, false);
      for (const DocumentChange::ListedChunk& replaced : section.replaced) {
        ChunkRef chunk = list.Ref(replaced.index);
        SceneNode* node = tree.NodeOfChunk(replaced.id);
        if (node == nullptr) continue;
        if (tree.StandsRight(*node, chunk.Bytes())) {
          if (std::string name = GetChunkName(chunk.Bytes()); name != node->Text())
            tree.Model().SetText(*node, std::move(name));
          continue;
        }
        enters(std::move(chunk), node->Check(), true);
        goes(*node, replaced.id);
      }
    }
    // The undo of a delete brings back what went with a checked folder; its
    // redo takes it again.
    if (const auto along = alongside_.find(undone ? firstAdded : firstRemoved); along != alongside_.end()) {
      for (const ChunkId id : along->second) {
        SceneNode* node = tree.NodeOfChunk(id);
        if (redone && node != nullptr) {
          goes(*node, id);
        } else if (undone && node == nullptr) {
          if (ChunkRef chunk = document.Get(id)) enters(std::move(chunk), toolkit::CheckState::Unchecked, false);
        }
      }
    }
    gone();
    if (redone)
      Settle(tree, change, firstRemoved);
    else
      taken_.clear();
    PutBack(tree, entering, redone);
  }
}

void TreeFollower::Forget() {
  placeOf_.Clear();
  places_.clear();
  homes_.clear();
  madeFolder_.clear();
  alongside_.clear();
  taken_.clear();
}

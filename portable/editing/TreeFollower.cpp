#include "editing/TreeFollower.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

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
  uint32_t place = 0;     // 1 + the index in places_ of where it stood in the folder of its type; 0: nowhere
  bool replaced = false;  // bytes of its own, read for its name
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
    uint32_t& known = placeOf_[node.chunk];
    if ((known & kPlaceNumber) == 0) ++placed_;
    places_.push_back({.chunk = node.chunk,
                       .spot = {.step = steps_,
                                .index = index,
                                .folderIndex = folderIndex,
                                .home = home,
                                .check = node.Check(),
                                .folderCheck = parent.Check()},
                       .text = node.Text()});
    known = (known & kWentWithFolder) | static_cast<uint32_t>(places_.size());
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

void TreeFollower::Settle(const SceneTree& tree, const DocumentChange& change, ChunkId first) {
  // A node that went with its folder while the step left its chunk in the
  // document: sorted lists rather than a search of the document for each.
  std::vector<ChunkId> along;
  for (const Taken& taken : taken_) {
    uint32_t& known = placeOf_[taken.chunk];
    known = (known & kPlaceNumber) | (taken.withFolder ? kWentWithFolder : 0);
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
  // Those that stood somewhere in the order of their places: the log has
  // them by step, and in a step mostly by home and index already. One walk
  // of the part of the log that they span, no sort of them all.
  uint32_t low = UINT32_MAX;
  uint32_t high = 0;
  for (const Entering& chunk : entering) {
    if (chunk.place == 0) continue;
    low = std::min(low, chunk.place);
    high = std::max(high, chunk.place);
  }
  std::vector<uint32_t> byPlace;  // indexes in `entering`
  if (high != 0) {
    std::vector<uint32_t> slots(high - low + 1);
    for (uint32_t at = 0; at < entering.size(); ++at)
      if (entering[at].place != 0) slots[entering[at].place - low] = at + 1;
    for (const uint32_t slot : slots)
      if (slot != 0) byPlace.push_back(slot - 1);
  }
  const auto spotOf = [&](uint32_t at) -> const Spot& { return places_[entering[at].place - 1].spot; };
  const auto before = [&](uint32_t a, uint32_t b) {
    const Spot& p = spotOf(a);
    const Spot& q = spotOf(b);
    return p.home != q.home ? p.home < q.home : p.index < q.index;
  };
  // The steps that took them in reverse: the last first.
  for (size_t stepEnd = byPlace.size(); stepEnd > 0;) {
    size_t stepBegin = stepEnd - 1;
    const uint32_t step = spotOf(byPlace[stepBegin]).step;
    while (stepBegin > 0 && spotOf(byPlace[stepBegin - 1]).step == step) --stepBegin;
    const auto first = byPlace.begin() + static_cast<ptrdiff_t>(stepBegin);
    const auto last = byPlace.begin() + static_cast<ptrdiff_t>(stepEnd);
    if (!std::is_sorted(first, last, before)) std::stable_sort(first, last, before);
    for (size_t begin = stepBegin, end = stepBegin; begin < stepEnd; begin = end) {
      const Spot& spot = spotOf(byPlace[begin]);
      end = begin + 1;
      while (end < stepEnd && spotOf(byPlace[end]).home == spot.home) ++end;
      PutBack(tree, entering, std::span(byPlace).subspan(begin, end - begin), redone);
    }
    stepEnd = stepBegin;
  }
  for (const Entering& chunk : entering)
    if (chunk.place == 0) Append(tree, chunk.chunk, chunk.check, redone);
}

void TreeFollower::PutBack(SceneTree& tree, std::vector<Entering>& entering, std::span<const uint32_t> run,
                           bool redone) {
  const Entering& head = entering[run.front()];
  const Spot& spot = places_[head.place - 1].spot;
  SceneNode* parent = tree.ParentFor(head.chunk.Bytes());
  const bool made = parent == nullptr;
  if (made) {
    SceneNode& section = *tree.Nodes().OfSection(kSceneSections[homes_[spot.home].section]);
    parent = &tree.MakeFolderFor(head.chunk.Bytes(), Inserting(section).PreviousFor(spot.folderIndex));
    if (!redone) tree.Model().SetCheck(*parent, spot.folderCheck);
  }
  const toolkit::TreeModel::Rework rework(tree.Model(), *parent, run.size());
  Inserting inserting(*parent);
  for (const uint32_t at : run) {
    const Entering& chunk = entering[at];
    Place& place = places_[chunk.place - 1];
    // A nameless chunk's text is read again, so that it says why.
    std::string text = chunk.replaced || place.text.empty() ? GetChunkName(chunk.chunk.Bytes()) : std::move(place.text);
    SceneNode& node = tree.InsertNode(*parent, inserting.PreviousFor(place.spot.index), SceneNodeKind::Chunk,
                                      std::move(text), chunk.chunk.id);
    // Spent: the node is back, and only whether its folder went along
    // stays known of it; unless its node left again in this step (a moved
    // node), whose newer place a redo takes.
    if (uint32_t& known = placeOf_[chunk.chunk.id]; (known & kPlaceNumber) == chunk.place) {
      known &= kWentWithFolder;
      --placed_;
    }
    tree.Model().SetCheck(node, redone ? chunk.check : place.spot.check);
    inserting.Inserted(node);
    if (redone) NoteFolder(chunk.chunk.id, made && at == run.front());
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
    const bool withFolder =
        undone ? madeFolder_.contains(chunk) : redone && (placeOf_.Find(chunk) & kWentWithFolder) != 0;
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
    for (const DocumentChange::Section& section : change.sections)
      comes += section.added.size() + section.replaced.size();
    entering.reserve(comes);
    // A chunk that comes back brings the bytes it had when its node left;
    // one that was replaced has bytes of its own, which may name another
    // home and are named anew.
    const auto enters = [&](ChunkRef chunk, toolkit::CheckState check, bool replaced) {
      uint32_t place = placeOf_.Find(chunk.id) & kPlaceNumber;
      if (place != 0 && replaced && homes_[places_[place - 1].spot.home] != tree.HomeOf(chunk.Bytes())) place = 0;
      entering.push_back({std::move(chunk), check, place, replaced});
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
  Compact();
}

void TreeFollower::Compact() {
  if (places_.size() <= 2 * placed_ + 4096) return;
  // In place, so that the log keeps its memory for the next step's places.
  size_t kept = 0;
  for (size_t at = 0; at < places_.size(); ++at) {
    uint32_t& known = placeOf_[places_[at].chunk];
    if ((known & kPlaceNumber) != at + 1) continue;
    places_[kept++] = std::move(places_[at]);
    known = (known & kWentWithFolder) | static_cast<uint32_t>(kept);
  }
  places_.resize(kept);
}

void TreeFollower::Forget() {
  placeOf_.Clear();
  places_.clear();
  placed_ = 0;
  homes_.clear();
  madeFolder_.clear();
  alongside_.clear();
  taken_.clear();
}

#include "editing/TreeFollower.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <tuple>

#include "scene/ChunkCatalogue.h"
#include "scene/qScene2bin.h"

namespace {

using Step = DocumentChange::Step;

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
  // Where the chunk lies in the document, which keeps it while the tree
  // follows: a few bytes rather than a handle, as half a million may come
  // back at once.
  uint32_t place = 0;  // 1 + the index in places_ of where it stood in the folder of its type; 0: nowhere
  int32_t index = 0;   // in its list
  uint8_t section = 0;
  toolkit::CheckState check = toolkit::CheckState::Unchecked;  // at a redo
  bool replaced = false;  // bytes of its own, read for its name

  const ChunkEntry& In(const SceneDocument& document) const {
    return *document.List(kSceneSections[section]).At(index);
  }
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
  std::vector<const SceneNode*> going(highest.begin(), highest.end());
  std::sort(going.begin(), going.end());
  // Remembered in tree order, parent by parent, each parent's children
  // walked once: the order in which an undo puts them back, so that it
  // finds the step's places sorted.
  struct Parent {
    size_t section;
    uint32_t index;  // among the children of its section; 0 for a section
    const SceneNode* node;
  };
  std::vector<Parent> parents;
  for (const SceneNode* node : highest) {
    const SceneNode* parent = node->Parent();
    if (std::none_of(parents.begin(), parents.end(), [parent](const Parent& known) { return known.node == parent; }))
      parents.push_back({tree.SectionIndexOf(*parent),
                         parent->kind == SceneNodeKind::Folder ? IndexAmongSiblings(*parent) : 0, parent});
  }
  std::sort(parents.begin(), parents.end(),
            [](const Parent& a, const Parent& b) { return std::tie(a.section, a.index) < std::tie(b.section, b.index); });
  ++steps_;
  const auto remember = [&](const SceneNode& node, uint32_t index, uint32_t folderIndex, uint16_t home,
                            bool withFolder) {
    uint32_t& known = placeOf_[node.chunk];
    ++unspent_;
    places_.push_back({.chunk = node.chunk,
                       .spot = {.step = steps_,
                                .index = index,
                                .folderIndex = folderIndex,
                                .home = home,
                                .check = node.Check(),
                                .folderCheck = node.Parent()->Check(),
                                .folderOpen = node.Parent()->Expanded()},
                       .text = node.Text(),
                       .earlier = known & kPlaceNumber});
    known = (known & kWentWithFolder) | static_cast<uint32_t>(places_.size());
    taken_.push_back({node.chunk, withFolder});
  };
  for (const Parent& parent : parents) {
    const bool inFolder = parent.node->kind == SceneNodeKind::Folder;
    const uint16_t home = HomeKey({parent.section, inFolder ? parent.node->Text() : std::string()});
    uint32_t index = 0;
    for (const SceneNode* child = parent.node->FirstChild(); child != nullptr; child = child->NextSibling(), ++index) {
      if (!std::binary_search(going.begin(), going.end(), child)) continue;
      if (child->kind == SceneNodeKind::Chunk) {
        remember(*child, index, parent.index, home, false);
        continue;
      }
      // A folder that goes with all its nodes.
      const uint16_t folderHome = HomeKey({parent.section, child->Text()});
      uint32_t at = 0;
      for (const SceneNode* node = child->FirstChild(); node != nullptr; node = node->NextSibling(), ++at)
        remember(*node, at, index, folderHome, true);
    }
  }
  tree.Remove(highest);
}

void TreeFollower::Settle(const SceneTree& tree, const DocumentChange& change, ChunkId first) {
  // A node that went with its folder while the step left its chunk in the
  // document: the step's chunks are marked beside their places while the
  // nodes taken are looked through, one look-up each.
  const auto markRemoved = [&](bool mark) {
    for (const DocumentChange::Section& section : change.sections)
      for (const DocumentChange::ListedChunk& chunk : section.removed) {
        uint32_t& known = placeOf_[chunk.id];
        known = mark ? known | kRemovedByStep : known & ~kRemovedByStep;
      }
  };
  markRemoved(true);
  std::vector<ChunkId> stayed;
  for (const Taken& taken : taken_) {
    uint32_t& known = placeOf_[taken.chunk];
    if (first != 0 && taken.withFolder && (known & kRemovedByStep) == 0 && tree.NodeOfChunk(taken.chunk) == nullptr)
      stayed.push_back(taken.chunk);
    known = (known & kPlaceNumber) | (taken.withFolder ? kWentWithFolder : 0);
  }
  markRemoved(false);
  taken_.clear();
  if (first == 0) return;
  if (stayed.empty())
    alongside_.erase(first);
  else
    alongside_[first] = std::move(stayed);
}

void TreeFollower::NoteFolder(ChunkId chunk, bool made) {
  // Only chunks with a folder made somewhere in their stack are kept: the
  // stack of any other is all "no", and nothing needs to be held for it.
  if (const auto known = madeFolder_.find(chunk); known != madeFolder_.end())
    known->second.push_back(made);
  else if (made)
    madeFolder_[chunk].push_back(true);
}

bool TreeFollower::MadeFolder(ChunkId chunk) {
  const auto known = madeFolder_.find(chunk);
  if (known == madeFolder_.end()) return false;
  const bool made = known->second.back();
  known->second.pop_back();
  if (known->second.empty()) madeFolder_.erase(known);
  return made;
}

void TreeFollower::Append(SceneTree& tree, ChunkId chunk, ByteView bytes, toolkit::CheckState check, bool note) {
  const bool made = tree.ParentFor(bytes) == nullptr;
  tree.Model().SetCheck(tree.AddChunkNode(chunk, bytes), check);
  if (note) NoteFolder(chunk, made);
}

void TreeFollower::PutBack(SceneTree& tree, const SceneDocument& document, std::vector<Entering>& entering,
                           bool redone) {
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
  // In tree order, as a step's nodes stood: folders are made again in the
  // order of their indexes, and nodes put back so in each.
  const auto before = [&](uint32_t a, uint32_t b) {
    const Spot& p = spotOf(a);
    const Spot& q = spotOf(b);
    return std::tie(homes_[p.home].section, p.folderIndex, p.index) <
           std::tie(homes_[q.home].section, q.folderIndex, q.index);
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
      PutBack(tree, document, entering, std::span(byPlace).subspan(begin, end - begin), redone);
    }
    stepEnd = stepBegin;
  }
  for (const Entering& chunk : entering)
    if (chunk.place == 0) {
      const ChunkEntry& entry = chunk.In(document);
      Append(tree, entry.id, entry.chunk.Bytes(), chunk.check, redone);
    }
}

void TreeFollower::PutBack(SceneTree& tree, const SceneDocument& document, std::vector<Entering>& entering,
                           std::span<const uint32_t> run, bool redone) {
  const Entering& head = entering[run.front()];
  const Spot& spot = places_[head.place - 1].spot;
  const ByteView bytes = head.In(document).chunk.Bytes();
  SceneNode* parent = tree.ParentFor(bytes);
  const bool made = parent == nullptr;
  if (made) {
    SceneNode& section = *tree.Nodes().OfSection(kSceneSections[homes_[spot.home].section]);
    parent = &tree.MakeFolderFor(bytes, Inserting(section).PreviousFor(spot.folderIndex));
    if (!redone) tree.Model().SetCheck(*parent, spot.folderCheck);
  }
  {
    const toolkit::TreeModel::Rework rework(tree.Model(), *parent, run.size());
    Inserting inserting(*parent);
    for (const uint32_t at : run) {
      const Entering& chunk = entering[at];
      Place& place = places_[chunk.place - 1];
      // A nameless chunk's text is read again, so that it says why.
      std::string text =
          chunk.replaced || place.text.empty() ? GetChunkName(chunk.In(document).chunk.Bytes()) : std::move(place.text);
      SceneNode& node = tree.InsertNode(*parent, inserting.PreviousFor(place.spot.index), SceneNodeKind::Chunk,
                                        std::move(text), place.chunk);
      tree.Model().SetCheck(node, redone ? chunk.check : place.spot.check);
      inserting.Inserted(node);
      if (redone) NoteFolder(place.chunk, made && at == run.front());
      Spend(chunk.place);
    }
  }
  // Opened once its nodes are in: a view then shows them all in one go.
  if (made && !redone) tree.Model().SetExpanded(*parent, spot.folderOpen);
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
        undone ? MadeFolder(chunk) : redone && (placeOf_.Find(chunk) & kWentWithFolder) != 0;
    SceneNode* parent = node.Parent();
    if (!withFolder || parent->kind != SceneNodeKind::Folder)
      going.push_back(&node);
    else if ((goingFolders.empty() || goingFolders.back() != parent) &&  // mostly the one before
             std::find(goingFolders.begin(), goingFolders.end(), parent) == goingFolders.end())
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
        Append(tree, id, chunk.Bytes(), toolkit::CheckState::Unchecked, true);
      } else if (!tree.StandsRight(*node, chunk.Bytes())) {
        const toolkit::CheckState check = node->Check();  // moved with its mark
        Remove(tree, {node});
        Append(tree, id, chunk.Bytes(), check, true);
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
    const auto enters = [&](size_t section, int32_t index, ChunkId id, toolkit::CheckState check, bool replaced) {
      uint32_t place = placeOf_.Find(id) & kPlaceNumber;
      if (place != 0 && replaced &&
          homes_[places_[place - 1].spot.home] != tree.HomeOf(document.List(kSceneSections[section]).At(index)->chunk.Bytes()))
        place = 0;
      entering.push_back({place, index, static_cast<uint8_t>(section), check, replaced});
    };
    for (size_t index = 0; index < kSceneSectionCount; ++index) {
      const DocumentChange::Section& section = change.sections[index];
      const ChunkList& list = document.List(kSceneSections[index]);
      for (const DocumentChange::ListedChunk& added : section.added)
        enters(index, added.index, added.id, toolkit::CheckState::Unchecked, false);
      for (const DocumentChange::ListedChunk& replaced : section.replaced) {
        const ByteView bytes = list.At(replaced.index)->chunk.Bytes();
        SceneNode* node = tree.NodeOfChunk(replaced.id);
        if (node == nullptr) continue;
        if (tree.StandsRight(*node, bytes)) {
          if (std::string name = GetChunkName(bytes); name != node->Text()) tree.Model().SetText(*node, std::move(name));
          continue;
        }
        enters(index, replaced.index, replaced.id, node->Check(), true);
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
          for (size_t section = 0; section < kSceneSectionCount; ++section)
            if (const int32_t index = document.List(kSceneSections[section]).IndexOf(id); index >= 0)
              enters(section, index, id, toolkit::CheckState::Unchecked, false);
        }
      }
    }
    gone();
    if (redone)
      Settle(tree, change, firstRemoved);
    else
      taken_.clear();
    PutBack(tree, document, entering, redone);
  }
  Compact();
}

void TreeFollower::Spend(uint32_t number) {
  Place& place = places_[number - 1];
  uint32_t& known = placeOf_[place.chunk];
  if ((known & kPlaceNumber) == number) {
    known = (known & ~kPlaceNumber) | place.earlier;
  } else {
    // A later place of its chunk: its node left again in this step (a
    // moved node), and a redo takes that one.
    for (uint32_t later = known & kPlaceNumber; later != 0; later = places_[later - 1].earlier)
      if (places_[later - 1].earlier == number) {
        places_[later - 1].earlier = place.earlier;
        break;
      }
  }
  place.chunk = 0;
  --unspent_;
}

void TreeFollower::Compact() {
  if (places_.size() <= 2 * unspent_ + 4096) return;
  // In place, so that the log keeps its memory for the next step's places.
  // A chunk's places keep their order, so each links to the one of its
  // chunk kept before it.
  size_t kept = 0;
  for (size_t at = 0; at < places_.size(); ++at) {
    Place& place = places_[at];
    if (place.chunk == 0) continue;
    uint32_t& known = placeOf_[place.chunk];
    if (place.earlier != 0) place.earlier = known & kPlaceNumber;
    known = (known & ~kPlaceNumber) | static_cast<uint32_t>(kept + 1);
    if (kept != at) places_[kept] = std::move(place);
    ++kept;
  }
  places_.resize(kept);
}

void TreeFollower::Forget() {
  placeOf_.Clear();
  places_.clear();
  unspent_ = 0;
  homes_.clear();
  madeFolder_.clear();
  alongside_.clear();
  taken_.clear();
}

#pragma once
// The scene tree as a view of the document: after an edit, an undo or a
// redo, its nodes follow what the step did to the chunks. What the tree holds
// beyond the document is remembered by chunk identity as nodes leave: where
// each stood and its mark, and its folder's mark and whether it was open;
// whether its folder went with it, as the delete
// takes a checked folder with all below it; whether a folder was made for
// it. An undo so puts the nodes back as they were, and a redo takes them
// again as the edit did.

#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "editing/ChunkIdMap.h"
#include "editing/SceneTree.h"
#include "scene/SceneDocument.h"

class TreeFollower {
 public:
  // Removes the nodes, each with everything below it, as one step,
  // remembering every chunk node that goes: the delete takes its checked
  // nodes so, a folder at a time, before it deletes their chunks.
  void Remove(SceneTree& tree, const std::vector<SceneNode*>& nodes);
  // Brings the tree in step with the document's last change. `order` lists
  // the chunks that an edit brought, in the order it brought them (an
  // import's), which is the order their new nodes take at the ends of their
  // folders; without it, the change's order. Raises Exception for a chunk
  // of a type the tree has no place for, what came before it done.
  void Follow(SceneTree& tree, const SceneDocument& document, std::span<const ChunkId> order = {});
  // The command for which Remove took nodes made no edit.
  void Unchanged() { taken_.clear(); }
  // A load: what was remembered belongs to the scene before it.
  void Forget();

 private:
  // Where a chunk node stood when it left, among the changes of one step.
  struct Spot {
    uint32_t step = 0;
    uint32_t index = 0;
    uint32_t folderIndex = 0;
    uint16_t home = 0;  // in homes_
    toolkit::CheckState check = toolkit::CheckState::Unchecked;
    toolkit::CheckState folderCheck = toolkit::CheckState::Unchecked;
    bool folderOpen = false;
  };
  // What the follower keeps of a chunk node each time it leaves, in a log
  // in the order they left: a step's nodes lie side by side, so an undo
  // puts them back by walking the log. Its chunk's bytes are the same when
  // it comes back (an undo or a redo brings back the very bytes that went),
  // so its text is the name they hold and its home the folder they belong
  // in: neither is read again.
  struct Place {
    ChunkId chunk = 0;  // 0 once spent: its node came back
    Spot spot;
    std::string text;
    // The chunk's place before it, while that one's node is away too: a
    // node moved to another folder by an edit and then deleted comes back
    // to the first when both steps are undone.
    uint32_t earlier = 0;
  };
  struct Taken {
    ChunkId chunk;
    bool withFolder;
  };
  struct Entering;

  // The number of a home, the same for equal ones.
  uint16_t HomeKey(const SceneTree::Home& home);
  // After an edit or a redo: for each chunk node taken, whether its folder
  // went along, and the nodes whose chunks stayed in the document.
  void Settle(const SceneTree& tree, const DocumentChange& change, ChunkId first);
  // A node for the chunk at the end of the folder of its type, made when
  // missing, as a command adds it; noted for an undo when `note`.
  void Append(SceneTree& tree, ChunkId chunk, ByteView bytes, toolkit::CheckState check, bool note);
  // Nodes for the chunks where they stood, in the reverse order of the
  // steps that took them; at the ends of their folders those never seen.
  void PutBack(SceneTree& tree, const SceneDocument& document, std::vector<Entering>& entering, bool redone);
  // The run of them, by their indexes, that stood in one home at one step.
  void PutBack(SceneTree& tree, const SceneDocument& document, std::vector<Entering>& entering,
               std::span<const uint32_t> run, bool redone);
  // Whether a folder was made for the chunk's node by the step that brought
  // it, kept for an undo of that step: a stack for each chunk, as each edit
  // or redo that brings its node notes it, and each undo takes it back.
  void NoteFolder(ChunkId chunk, bool made);
  bool MadeFolder(ChunkId chunk);
  // The node of the place came back: its chunk's last place is the one
  // before.
  void Spend(uint32_t number);
  // Drops the spent places, once they are most of the log.
  void Compact();

  std::vector<Place> places_;
  // For each chunk whose node left: 1 + the index in places_ of its last
  // place, and whether its folder went with it at
  // the edit or the redo that took it last, as the delete takes a checked
  // folder with all below it.
  static constexpr uint32_t kWentWithFolder = 0x80000000u;
  static constexpr uint32_t kRemovedByStep = 0x40000000u;  // while a step settles
  static constexpr uint32_t kPlaceNumber = ~(kWentWithFolder | kRemovedByStep);
  ChunkIdMap<uint32_t> placeOf_;
  size_t unspent_ = 0;
  std::vector<SceneTree::Home> homes_;  // a few dozen: the sections and the folders met
  std::unordered_map<ChunkId, std::vector<bool>> madeFolder_;
  // By the first chunk an edit deleted: the nodes that went with a checked
  // folder while their chunks stayed.
  std::unordered_map<ChunkId, std::vector<ChunkId>> alongside_;
  std::vector<Taken> taken_;  // since the last settling
  uint32_t steps_ = 0;
};

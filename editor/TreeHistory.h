#pragma once
// The tree's side of the document's history: beside each edit that a command
// made, what the command did to the scene tree, so that an undo or a redo
// changes the tree as it changes the scene.

#include <cstdint>
#include <optional>
#include <vector>

#include "editor/SceneTree.h"
#include "editor/TreeEdit.h"
#include "scene/SceneDocument.h"

class TreeHistory {
 public:
  // Keeps what a command did to the tree, when the command edited the
  // document: `editBefore` is the document's CurrentEdit() before it ran.
  // What could have been redone goes.
  void Record(uint64_t editBefore, const SceneDocument& document, TreeEdit edit);
  // The document's undo or redo, and the tree's; the node to select, if any.
  // False when there was nothing to undo or redo.
  bool Undo(SceneDocument& document, SceneTree& tree, std::optional<NodeKey>& select);
  bool Redo(SceneDocument& document, SceneTree& tree, std::optional<NodeKey>& select);
  // A load starts a new history.
  void Clear();

 private:
  struct Step {
    uint64_t edit;  // the document's, by its serial
    TreeEdit tree;
  };
  // Moves the top step of `from` to `to` when it belongs to `edit`.
  static const TreeEdit* Move(std::vector<Step>& from, std::vector<Step>& to, uint64_t edit);

  std::vector<Step> done_;
  std::vector<Step> undone_;
};

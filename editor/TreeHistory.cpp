#include "editor/TreeHistory.h"

void TreeHistory::Record(uint64_t editBefore, const SceneDocument& document, TreeEdit edit) {
  if (document.CurrentEdit() == editBefore) return;  // refused, or nothing to do
  done_.push_back({document.CurrentEdit(), std::move(edit)});
  undone_.clear();
}

const TreeEdit* TreeHistory::Move(std::vector<Step>& from, std::vector<Step>& to, uint64_t edit) {
  if (from.empty() || from.back().edit != edit) return nullptr;
  to.push_back(std::move(from.back()));
  from.pop_back();
  return &to.back().tree;
}

bool TreeHistory::Undo(SceneDocument& document, SceneTree& tree, std::optional<NodeKey>& select) {
  const uint64_t edit = document.CurrentEdit();
  if (!document.Undo()) return false;
  if (const TreeEdit* step = Move(done_, undone_, edit)) {
    step->Revert(tree);
    select = step->selected;
  } else {
    tree.FillTree(document);  // an edit that no command recorded: the tree is made anew
  }
  return true;
}

bool TreeHistory::Redo(SceneDocument& document, SceneTree& tree, std::optional<NodeKey>& select) {
  if (!document.Redo()) return false;
  if (const TreeEdit* step = Move(undone_, done_, document.CurrentEdit())) {
    step->Apply(tree);
    select = step->selected;
  } else {
    tree.FillTree(document);
  }
  return true;
}

void TreeHistory::Clear() {
  done_.clear();
  undone_.clear();
}

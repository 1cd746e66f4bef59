#include "scene/EditHistory.h"

const SceneEdit& EditHistory::Do(SceneEdit edit, int32_t& fileSize) {
  edit.Apply(fileSize);
  undone_.clear();
  done_.push_back({std::move(edit), ++lastSerial_});
  return done_.back().edit;
}

const SceneEdit* EditHistory::Undo(int32_t& fileSize) {
  if (done_.empty()) return nullptr;
  undone_.push_back(std::move(done_.back()));
  done_.pop_back();
  undone_.back().edit.Revert(fileSize);
  return &undone_.back().edit;
}

const SceneEdit* EditHistory::Redo(int32_t& fileSize) {
  if (undone_.empty()) return nullptr;
  done_.push_back(std::move(undone_.back()));
  undone_.pop_back();
  done_.back().edit.Apply(fileSize);
  return &done_.back().edit;
}

void EditHistory::Clear() {
  done_.clear();
  undone_.clear();
  saved_ = 0;
}

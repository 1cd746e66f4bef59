#pragma once
// The edits of a document, in order, with undo and redo, and whether the
// document differs from what was last loaded or saved.

#include <cstdint>
#include <string>
#include <vector>

#include "scene/SceneEdit.h"

class EditHistory {
 public:
  // Applies the edit and puts it on top; what could have been redone goes.
  // Gives the edit as the history holds it.
  const SceneEdit& Do(SceneEdit edit, int32_t& fileSize);
  // Takes back the top edit, or does again the last one taken back; null
  // when there is none. The edit stays in the history.
  const SceneEdit* Undo(int32_t& fileSize);
  const SceneEdit* Redo(int32_t& fileSize);
  bool CanUndo() const { return !done_.empty(); }
  bool CanRedo() const { return !undone_.empty(); }
  // What the next undo takes back and the next redo does again, as the
  // edit says it ("position of crate_0003"); empty when there is none.
  std::string NextUndo() const { return done_.empty() ? std::string() : done_.back().edit.What(); }
  std::string NextRedo() const { return undone_.empty() ? std::string() : undone_.back().edit.What(); }
  // The newest edit in effect, by a serial never given twice; 0 for none.
  // What a caller keys what it keeps beside an edit by.
  uint64_t Current() const { return done_.empty() ? 0 : done_.back().serial; }

  // The document is as it was when MarkSaved was last called (or the history
  // cleared): an undo back to that state counts as no difference.
  bool Modified() const { return Current() != saved_; }
  void MarkSaved() { saved_ = Current(); }
  // No state of the history is the one saved: the scene came from somewhere
  // else than its file (changes kept of an editor that ended).
  void MarkUnsaved() { saved_ = kNoState; }
  // Forgets every edit: a load starts a new history.
  void Clear();

 private:
  struct Entry {
    SceneEdit edit;
    uint64_t serial;
  };

  std::vector<Entry> done_;
  std::vector<Entry> undone_;  // the last taken back on top
  uint64_t lastSerial_ = 0;    // never given twice, so a state dropped from redo is never "saved" again
  uint64_t saved_ = 0;
  static constexpr uint64_t kNoState = UINT64_MAX;  // a serial never given
};

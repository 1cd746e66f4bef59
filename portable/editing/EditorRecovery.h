#pragma once
// One editor's recovery file: kept while its scene differs from the last
// save, gone when it no longer does or the user dropped the changes; and
// the files left by editors that ended without removing theirs.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editing/RecoveryFolders.h"
#include "editing/RecoveryWriter.h"
#include "scene/SceneDocument.h"

class EditorRecovery {
 public:
  using Running = std::function<bool(const ProcessStamp&)>;
  // `root`: where the user's editors keep their recovery files, ending with
  // a separator; empty when there is no such place, and then none is kept.
  // `self`: this editor's process; `running` tells whether another's runs.
  EditorRecovery(const std::string& root, const ProcessStamp& self, Running running);
  EditorRecovery(const EditorRecovery&) = delete;
  EditorRecovery& operator=(const EditorRecovery&) = delete;
  // Does what was asked last; the editor's folder goes when nothing is in it.
  ~EditorRecovery();

  // After each command: the file is to hold the scene, as changes to
  // `owner` (the file "save" writes to), while it differs from its last
  // save; otherwise it is to go. Written meanwhile, on another thread.
  void Follow(const SceneDocument& document, const std::string& owner);
  // The user chose to drop the changes: the file goes.
  void Forget();
  // Waits until the file is as asked last.
  void Finish();
  // Why the file could not be written, once for a run of failures; empty
  // when there is nothing new to tell.
  std::string TakeFailure();
  // This editor's recovery file.
  const std::string& File() const { return file_; }

  // The files that editors which ended left behind, the newest first.
  std::vector<std::string> LeftFiles() const;
  // Removes a file of LeftFiles, with its folder.
  void Discard(const std::string& left) const;
  // Makes a file of LeftFiles this editor's own, as it holds `document`
  // now, the changes of `owner`: it is moved, not written again.
  void TakeOver(const std::string& left, const SceneDocument& document, const std::string& owner);

 private:
  const std::string root_;
  const std::string folder_;
  const std::string file_;
  Running running_;
  std::unique_ptr<RecoveryWriter> writer_;  // null when no file is kept
  // What the file holds, or is being written with: the document's newest
  // edit and its owner. Not `kept_` while the file is gone or going.
  bool kept_ = false;
  uint64_t keptEdit_ = 0;
  std::string keptOwner_;
};

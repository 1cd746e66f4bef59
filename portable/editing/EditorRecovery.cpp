#include "editing/EditorRecovery.h"

#include "os/FileSystem.h"
#include "os/Paths.h"

EditorRecovery::EditorRecovery(const std::string& root, const ProcessStamp& self, Running running)
    : root_(root),
      folder_(root.empty() ? root : RecoveryFolderOf(root, self)),
      file_(root.empty() ? root : RecoveryFileIn(folder_)),
      running_(std::move(running)),
      writer_(root.empty() ? nullptr : std::make_unique<RecoveryWriter>(file_)) {}

EditorRecovery::~EditorRecovery() {
  if (!writer_) return;
  writer_.reset();
  static_cast<void>(os::RemoveFolder(folder_));
}

void EditorRecovery::Follow(const SceneDocument& document, const std::string& owner) {
  if (!writer_) return;
  if (!document.Modified()) {
    Forget();
    return;
  }
  if (kept_ && keptEdit_ == document.CurrentEdit() && keptOwner_ == owner) return;
  writer_->Keep(document.Snapshot(), owner);
  kept_ = true;
  keptEdit_ = document.CurrentEdit();
  keptOwner_ = owner;
}

void EditorRecovery::Forget() {
  if (!writer_ || !kept_) return;
  writer_->Remove();
  kept_ = false;
}

void EditorRecovery::Finish() {
  if (writer_) writer_->Finish();
}

std::string EditorRecovery::TakeFailure() { return writer_ ? writer_->TakeFailure() : std::string(); }

std::vector<std::string> EditorRecovery::LeftFiles() const {
  if (!writer_) return {};
  return LeftRecoveryFiles(root_, running_);
}

void EditorRecovery::Discard(const std::string& left) const {
  static_cast<void>(RemoveRecoveryFolder(os::FolderOf(left)));
}

void EditorRecovery::TakeOver(const std::string& left, const SceneDocument& document, const std::string& owner) {
  if (!writer_) return;
  writer_->Finish();
  if (os::CreateFolders(folder_).ok() && os::MoveReplacing(left, file_).ok()) {
    Discard(left);
    kept_ = true;
    keptEdit_ = document.CurrentEdit();
    keptOwner_ = owner;
    return;
  }
  // Written again then; the file left stays until that is done, and is
  // offered again at the next start.
  kept_ = false;
  Follow(document, owner);
}

#include "scene/FileReplacement.h"

#include "os/FileSystem.h"
#include "os/Paths.h"
#include "scene/Exception.h"

TFileReplacement::TFileReplacement(const std::string& target, const ReplacementOptions& options) : target_(target) {
  if (!options.targetIsNew) {
    os::Result<std::string> replaceable = os::FindReplaceable(target);
    if (!replaceable.ok()) throw FileWriteError(replaceable.reason(), replaceable.reason());
    target_ = replaceable.value();
  }
  // A link may lead to another volume, where only a file beside the one it
  // leads to can take that file's place.
  const bool throughALink = os::FolderOf(target_) != os::FolderOf(target);
  const std::string folder =
      options.temporaryFolder.empty() || throughALink ? os::FolderOf(target_) : options.temporaryFolder;
  os::Result<os::TemporaryFile> temporary =
      os::CreateTemporaryFile(folder, options.targetIsNew ? std::string() : target_);
  if (!temporary.ok()) throw FileWriteError("IO error", temporary.reason());
  temporary_ = temporary.value().path;
  guard_ = std::move(temporary.value().guard);
  stream_ = TFileStream::Writing(temporary.value().file);
}

TFileReplacement::~TFileReplacement() {
  if (committed_) return;
  stream_.reset();
  static_cast<void>(os::RemoveFile(temporary_));
}

void TFileReplacement::Commit() {
  stream_->Commit();
  if (const os::Status moved = os::MoveReplacing(temporary_, target_); !moved.ok())
    throw FileWriteError("cannot replace the file: " + moved.reason(), moved.reason());
  committed_ = true;
}

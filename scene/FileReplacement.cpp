#include "scene/FileReplacement.h"

#include <cstdio>

#include "os/FileSystem.h"
#include "os/Paths.h"
#include "scene/Exception.h"

TFileReplacement::TFileReplacement(const std::string& target, const ReplacementOptions& options) : target_(target) {
  std::string error;
  if (!options.targetIsNew && !os::FindReplaceable(target, target_, error)) throw FileWriteError(error, error);
  os::TemporaryFile temporary;
  const std::string folder = options.temporaryFolder.empty() ? os::FolderOf(target_) : options.temporaryFolder;
  const std::string model = options.targetIsNew ? std::string() : target_;
  if (!os::CreateTemporaryFile(folder, model, temporary, error)) throw FileWriteError("IO error", error);
  temporary_ = temporary.path;
  stream_ = TFileStream::Writing(temporary.file);
}

TFileReplacement::~TFileReplacement() {
  if (committed_) return;
  stream_.reset();
  std::remove(temporary_.c_str());
}

void TFileReplacement::Commit() {
  stream_->Commit();
  std::string error;
  if (!os::MoveReplacing(temporary_, target_, error)) throw FileWriteError("cannot replace the file: " + error, error);
  committed_ = true;
}

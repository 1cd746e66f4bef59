#pragma once

#include <memory>
#include <string>

#include "os/FileSystem.h"
#include "scene/FileStream.h"

// Writes a file so that nothing is lost whatever happens: into a fresh
// temporary file created exclusively beside the target (or in a folder of the
// caller's on the same volume), every write checked, then put in the target's
// place in one step. Only a regular file or a new name is replaced; a link is
// saved through to the file it points to, whose permissions the new file
// keeps. Until Commit the target is untouched, and a replacement that goes
// without Commit removes its temporary file, as does the end of a program
// that the user interrupts (os::RemoveTemporariesWhenInterrupted).
struct ReplacementOptions {
  // Where the temporary file is made, on the target's volume; beside the
  // target when empty, or when the target is a link to a file in another
  // folder, which may lie on another volume.
  std::string temporaryFolder{};
  // The caller has just seen that nothing has the target's name, so what is
  // there needs no look: under Wine every look at a name that is not there
  // reads through the whole folder.
  bool targetIsNew = false;
};

class TFileReplacement {
 public:
  // Raises FileWriteError when the target may not be replaced ("IO error" for
  // a temporary file that can't be created).
  explicit TFileReplacement(const std::string& target, const ReplacementOptions& options = {});
  TFileReplacement(const TFileReplacement&) = delete;
  TFileReplacement& operator=(const TFileReplacement&) = delete;
  ~TFileReplacement();

  TStream& Stream() { return *stream_; }
  // Completes the file and puts it in the target's place; raises FileWriteError.
  void Commit();

 private:
  std::string target_;  // links followed
  std::string temporary_;
  std::unique_ptr<TFileStream> stream_;
  std::unique_ptr<os::TemporaryGuard> guard_;  // of temporary_, until it is gone or in the target's place
  bool committed_ = false;
};

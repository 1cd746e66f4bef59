#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "os/FileImage.h"
#include "os/FileSystem.h"
#include "scene/Stream.h"

// Gathers the pieces of what is written and hands them to the stream in
// batches, a piece joined to the one before when it starts where that one
// ends: the chunks of a loaded scene go out as a few long runs of the loaded
// block, not one copy each. Runs that lie in `source` say so, so that a file
// can copy them from the file that the source maps.
class GatherWriter {
 public:
  GatherWriter(TStream& out, const os::FileImage* source) : out_(out), source_(source) {}
  GatherWriter(const GatherWriter&) = delete;
  GatherWriter& operator=(const GatherWriter&) = delete;

  // The bytes must stay as they are until Flush.
  void Add(const uint8_t* data, size_t size);
  void Flush();

 private:
  static constexpr size_t kBatch = 1024;

  bool InSource(const uint8_t* data, size_t size) const;

  TStream& out_;
  const os::FileImage* source_;  // not owned; may be null
  std::vector<os::ByteRun> runs_;
};

#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "os/FileSystem.h"
#include "scene/Stream.h"

// Gathers the pieces of what is written and hands them to the stream in
// batches, a piece joined to the one before when it starts where that one
// ends: the chunks of a loaded scene go out as a few long runs of the loaded
// block, not one copy each.
class GatherWriter {
 public:
  explicit GatherWriter(TStream& out) : out_(out) {}
  GatherWriter(const GatherWriter&) = delete;
  GatherWriter& operator=(const GatherWriter&) = delete;

  // The bytes must stay as they are until Flush.
  void Add(const uint8_t* data, size_t size) { Add(os::ByteRun{data, size}); }
  void Add(const os::ByteRun& run);
  void Flush();

 private:
  static constexpr size_t kBatch = 1024;

  TStream& out_;
  std::vector<os::ByteRun> runs_;
};

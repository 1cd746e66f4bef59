#include "scene/GatherWriter.h"

void GatherWriter::Add(const uint8_t* data, size_t size) {
  if (size == 0) return;
  if (!runs_.empty() && runs_.back().data + runs_.back().size == data) {
    runs_.back().size += size;
    return;
  }
  if (runs_.size() == kBatch) Flush();
  runs_.push_back({data, size});
}

void GatherWriter::Flush() {
  out_.WriteRuns(runs_);
  runs_.clear();
}

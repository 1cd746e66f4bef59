#include "scene/GatherWriter.h"

void GatherWriter::Add(const os::ByteRun& run) {
  if (run.size == 0) return;
  if (!runs_.empty() && runs_.back().data + runs_.back().size == run.data) {
    runs_.back().size += run.size;
    return;
  }
  if (runs_.size() == kBatch) Flush();
  runs_.push_back(run);
}

void GatherWriter::Flush() {
  out_.WriteRuns(runs_);
  runs_.clear();
}

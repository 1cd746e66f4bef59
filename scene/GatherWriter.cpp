#include "scene/GatherWriter.h"

bool GatherWriter::InSource(const uint8_t* data, size_t size) const {
  if (source_ == nullptr) return false;
  // As numbers: pointers into other memory may not be ordered against it.
  const auto begin = reinterpret_cast<uintptr_t>(source_->Data());
  const auto at = reinterpret_cast<uintptr_t>(data);
  return at >= begin && at - begin <= source_->Size() && size <= source_->Size() - (at - begin);
}

void GatherWriter::Add(const uint8_t* data, size_t size) {
  if (size == 0) return;
  const os::FileImage* image = InSource(data, size) ? source_ : nullptr;
  if (!runs_.empty() && runs_.back().image == image && runs_.back().data + runs_.back().size == data) {
    runs_.back().size += size;
    return;
  }
  if (runs_.size() == kBatch) Flush();
  runs_.push_back({data, size, image});
}

void GatherWriter::Flush() {
  out_.WriteRuns(runs_);
  runs_.clear();
}

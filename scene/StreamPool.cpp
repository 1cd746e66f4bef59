#include "scene/StreamPool.h"

#include <memory>

TMemoryStream* StreamPool::NewView(const uint8_t* bytes, size_t count) {
  if (pages_.empty() || usedInLastPage_ == kPageStreams) {
    pages_.push_back(std::unique_ptr<Page>(new Page));
    usedInLastPage_ = 0;
  }
  TMemoryStream* stream =
      new (Place(pages_.size() - 1, usedInLastPage_)) TMemoryStream(TMemoryStream::ViewOf(bytes, count));
  ++usedInLastPage_;
  stream->pooled_ = true;
  return stream;
}

void StreamPool::Clear() {
  for (size_t page = 0; page < pages_.size(); ++page) {
    const size_t used = page + 1 == pages_.size() ? usedInLastPage_ : kPageStreams;
    for (size_t index = 0; index < used; ++index) std::destroy_at(Place(page, index));
  }
  pages_.clear();
  usedInLastPage_ = 0;
}

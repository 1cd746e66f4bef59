#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "scene/MemoryStream.h"

// Chunk streams made in bulk: the views of a list's loaded chunks, each made
// when it is first asked for. They go all at once, a page at a time, never
// one by one.
class StreamPool {
 public:
  StreamPool() = default;
  StreamPool(const StreamPool&) = delete;
  StreamPool& operator=(const StreamPool&) = delete;
  ~StreamPool() { Clear(); }

  // A view of the bytes (see TMemoryStream::ViewOf), which the pool owns.
  TMemoryStream* NewView(const uint8_t* bytes, size_t count);
  void Clear();

 private:
  static constexpr size_t kPageStreams = 4096;
  // Left uninitialised: a stream is made in its place when it is needed.
  struct Page {
    alignas(TMemoryStream) std::byte bytes[kPageStreams * sizeof(TMemoryStream)];
  };

  TMemoryStream* Place(size_t page, size_t index) const {
    return reinterpret_cast<TMemoryStream*>(pages_[page]->bytes) + index;
  }

  std::vector<std::unique_ptr<Page>> pages_;
  size_t usedInLastPage_ = 0;
};

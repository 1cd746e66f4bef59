#pragma once
// A value for each chunk identity, in one array from the lowest identity met
// to the highest. A document hands identities out in order and never again,
// so those of one scene lie side by side: half a million numbers take 2 MB,
// and the chunks of a list, whose identities ascend, are looked up along the
// array rather than all over it as in a hash map.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "scene/Chunk.h"

template <typename Value>
class ChunkIdMap {
 public:
  // The value of `id`; Value{} when it has none.
  Value Find(ChunkId id) const { return id >= base_ && id - base_ < values_.size() ? values_[Slot(id)] : Value{}; }
  // The value of `id`, Value{} until it is given one.
  Value& operator[](ChunkId id) {
    if (values_.empty()) base_ = id;
    if (id < base_) {
      // Room for as many again below, so that a run of ever lower
      // identities doesn't move the array each time.
      const ChunkId room = std::max<ChunkId>(base_ - id, std::min<ChunkId>(values_.size(), id));
      values_.insert(values_.begin(), static_cast<size_t>(room), Value{});
      base_ -= room;
    }
    if (id - base_ >= values_.size()) values_.resize(Slot(id) + 1);
    return values_[Slot(id)];
  }
  void Clear() {
    values_.clear();
    base_ = 0;
  }

 private:
  // The identities of one document span the chunks made since it was
  // loaded, which a 32-bit size holds.
  size_t Slot(ChunkId id) const { return static_cast<size_t>(id - base_); }

  std::vector<Value> values_;
  ChunkId base_ = 0;
};

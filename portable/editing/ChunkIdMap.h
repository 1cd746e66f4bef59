#pragma once
// A number for each chunk identity, in one array from the lowest identity met
// to the highest. A document hands identities out in order and never again,
// so those of one scene lie side by side: half a million take 2 MB, and the
// chunks of a list, whose identities ascend, are looked up along the array
// rather than all over it as in a hash map.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "scene/Chunk.h"

class ChunkIdMap {
 public:
  // The number of `id`; 0 when it has none.
  uint32_t Find(ChunkId id) const { return id >= base_ && id - base_ < numbers_.size() ? numbers_[Slot(id)] : 0; }
  // The number of `id`, 0 until it is given one.
  uint32_t& operator[](ChunkId id) {
    if (numbers_.empty()) base_ = id;
    if (id < base_) {
      // Room for as many again below, so that a run of ever lower
      // identities doesn't move the array each time.
      const ChunkId room = std::max<ChunkId>(base_ - id, std::min<ChunkId>(numbers_.size(), id));
      numbers_.insert(numbers_.begin(), static_cast<size_t>(room), 0);
      base_ -= room;
    }
    if (id - base_ >= numbers_.size()) numbers_.resize(Slot(id) + 1);
    return numbers_[Slot(id)];
  }
  void Clear() {
    numbers_.clear();
    base_ = 0;
  }

 private:
  // The identities of one document span the chunks made since it was
  // loaded, which a 32-bit size holds.
  size_t Slot(ChunkId id) const { return static_cast<size_t>(id - base_); }

  std::vector<uint32_t> numbers_;
  ChunkId base_ = 0;
};

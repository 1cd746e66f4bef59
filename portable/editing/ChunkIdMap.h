#pragma once
// A map from chunk identities to small values, in one array: a delete or an
// undo of half a million chunks looks each up once, where a node per entry
// (std::unordered_map) costs an allocation and a cache miss more each.
// Entries are never erased one by one; identity 0, which no chunk has,
// marks a free slot.

#include <cstdint>
#include <utility>
#include <vector>

#include "scene/Chunk.h"

template <typename Value>
class ChunkIdMap {
 public:
  // The value of `id`, or null.
  const Value* Find(ChunkId id) const {
    if (slots_.empty()) return nullptr;
    for (size_t at = Home(id);; at = (at + 1) & Mask()) {
      if (slots_[at].first == id) return &slots_[at].second;
      if (slots_[at].first == 0) return nullptr;
    }
  }
  Value* Find(ChunkId id) { return const_cast<Value*>(std::as_const(*this).Find(id)); }
  // The value of `id`, made as Value() when it has none.
  Value& operator[](ChunkId id) {
    if (2 * (count_ + 1) > slots_.size()) Grow();
    size_t at = Home(id);
    while (slots_[at].first != id && slots_[at].first != 0) at = (at + 1) & Mask();
    if (slots_[at].first == 0) {
      slots_[at].first = id;
      ++count_;
    }
    return slots_[at].second;
  }
  void Clear() {
    slots_.clear();
    count_ = 0;
  }

 private:
  size_t Mask() const { return slots_.size() - 1; }
  // Identities come in runs: a multiplicative hash spreads them.
  size_t Home(ChunkId id) const { return static_cast<size_t>((id * 0x9E3779B97F4A7C15ull) >> shift_); }
  void Grow() {
    std::vector<std::pair<ChunkId, Value>> old(slots_.empty() ? 16 : 2 * slots_.size());
    old.swap(slots_);
    shift_ = 64;
    for (size_t size = slots_.size(); size > 1; size /= 2) --shift_;
    count_ = 0;
    for (auto& [id, value] : old)
      if (id != 0) (*this)[id] = std::move(value);
  }

  std::vector<std::pair<ChunkId, Value>> slots_;  // a power of two of them, at most half used
  size_t count_ = 0;
  unsigned shift_ = 64;
};

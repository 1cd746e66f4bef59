#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "scene/MemoryStream.h"

// An ordered list of chunk streams that it owns, plus the section size that the
// writer puts into the section's header.
//
// Deleting or replacing chunks one at a time must stay cheap on lists of
// hundreds of thousands: entries keep their slot when others go, and a Fenwick
// tree over the live slots turns list indexes into slots and back in
// O(log n). Each chunk knows its slot, so finding it by identity is O(1).
class ChunkList {
 public:
  ChunkList() = default;
  ChunkList(const ChunkList&) = delete;
  ChunkList& operator=(const ChunkList&) = delete;
  ~ChunkList();

  int32_t Count() const { return count_; }
  // The chunk at `index`, or null outside 0 to Count() - 1.
  PStream At(int32_t index) const;
  // The index of this very stream in the list, or -1.
  int32_t IndexOf(const TMemoryStream* chunk) const;
  bool Holds(const TMemoryStream* chunk) const { return chunk != nullptr && chunk->owner_ == this; }

  void Append(std::unique_ptr<TMemoryStream> chunk);
  // Takes the chunk at `index` out of the list; the chunks behind it move up.
  std::unique_ptr<TMemoryStream> RemoveAt(int32_t index);
  // Puts `chunk` at `index` and hands back the one that stood there.
  std::unique_ptr<TMemoryStream> ReplaceAt(int32_t index, std::unique_ptr<TMemoryStream> chunk);
  // Frees every chunk, from index 0 upwards, and empties the list.
  void Clear();

  // Calls `visit` for every chunk in list order.
  template <typename Visit>
  void ForEach(Visit&& visit) const {
    for (const auto& slot : slots_)
      if (slot) visit(*slot);
  }

  // The section's length as it will be written: 6 plus its chunks' lengths,
  // kept in step by every operation that changes a chunk.
  int32_t sectionSize = 0;

 private:
  size_t SlotOf(int32_t index) const;
  int32_t LiveBefore(size_t slot) const;
  void AddToTree(size_t slot, int32_t delta);

  std::vector<std::unique_ptr<TMemoryStream>> slots_;
  std::vector<int32_t> tree_;  // Fenwick tree of live slots, 1-based
  int32_t count_ = 0;
};

// Frees every chunk stream of the list, empties it and sets its section size to 0.
void ClearChunkList(ChunkList& list);

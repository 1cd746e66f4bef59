#pragma once
// One list of a scene: its chunks in file order, each with the identity the
// document gave it, plus the section size that the writer puts into the
// section's header.
//
// The document gives identities in increasing order and only ever appends
// a newcomer, keeps a chunk's identity when it replaces its bytes, and puts
// what an undo brings back where it was: so the identities of a list always
// ascend, and a chunk is found by identity with a binary search.

#include <cstdint>
#include <span>
#include <vector>

#include "os/LargeMemory.h"
#include "scene/Chunk.h"

struct ChunkEntry {
  ChunkId id = 0;
  Chunk chunk;
};

// Chunks taken out of a list, each with the index it had: what puts them back.
struct RemovedChunk {
  int32_t index = 0;
  ChunkEntry entry;
};

class ChunkList {
 public:
  int32_t Count() const { return static_cast<int32_t>(entries_.size()); }
  std::span<const ChunkEntry> Entries() const { return entries_; }
  // The entry at `index`, or null outside 0 to Count() - 1.
  const ChunkEntry* At(int32_t index) const;
  // The index of the chunk named `id`, or -1.
  int32_t IndexOf(ChunkId id) const;

  // `entry.id` must be above every identity in the list.
  void Append(ChunkEntry entry);
  void Reserve(size_t count) { entries_.reserve(count); }
  // Gives the chunk at `index` the bytes of `chunk`, keeping its identity;
  // gives the bytes it had.
  Chunk Replace(int32_t index, Chunk chunk);
  // Takes out the chunks at the indexes of `removed` (ascending), in one pass.
  void Remove(std::span<const RemovedChunk> removed);
  // Puts back what Remove took out, each at the index it had.
  void Restore(std::span<const RemovedChunk> removed);
  // Takes the last `count` chunks off.
  void DropLast(size_t count);
  void Clear() { entries_.clear(); }

  // The section's length as it will be written: 6 plus its chunks' lengths,
  // kept in step by every operation that changes a chunk.
  int32_t sectionSize = 0;

 private:
  std::vector<ChunkEntry, os::LargeAllocator<ChunkEntry>> entries_;
};

// Empties the list and sets its section size to 0.
void ClearChunkList(ChunkList& list);

#pragma once
// One list of a scene: its chunks in file order, each with the identity the
// document gave it, plus the section size that the writer puts into the
// section's header.
//
// The document gives identities in increasing order and only ever appends
// a newcomer, keeps a chunk's identity when it replaces its bytes, and puts
// what an undo brings back where it was: so the identities of a list always
// ascend, and a chunk is found by identity with a binary search.
//
// The list keeps alive the blocks its chunks lie in, counting its chunks in
// each, rather than a handle for every chunk: a load of half a million
// chunks then costs no shared counter per chunk, nor a clear. A handle is
// made only for a chunk taken out of the list (Ref), which the history does.

#include <cstdint>
#include <memory>
#include <span>
#include <unordered_map>
#include <vector>

#include "os/LargeMemory.h"
#include "scene/Chunk.h"
#include "scene/ChunkRef.h"

// A chunk's bytes as a list holds them: where they lie, and which of the
// list's blocks keeps them there.
class ListedChunk {
 public:
  ByteView Bytes() const { return {data_, length_}; }
  const uint8_t* Data() const { return data_; }
  size_t Length() const { return length_; }
  // The same bytes as the handle's: the very chunk, not an equal one.
  bool operator==(const Chunk& chunk) const { return data_ == chunk.Data(); }

 private:
  friend class ChunkList;
  const uint8_t* data_ = nullptr;
  uint32_t length_ = 0;
  uint32_t block_ = 0;  // the list's slot of the block
};

struct ChunkEntry {
  ChunkId id = 0;
  ListedChunk chunk;
};

// A chunk taken out of a list, with the index it had: what puts it back.
struct RemovedChunk {
  int32_t index = 0;
  ChunkRef entry;
};

class ChunkList {
 public:
  int32_t Count() const { return static_cast<int32_t>(entries_.size()); }
  std::span<const ChunkEntry> Entries() const { return entries_; }
  // The entry at `index`, or null outside 0 to Count() - 1.
  const ChunkEntry* At(int32_t index) const;
  // The chunk at `index` as a handle that keeps its bytes alive wherever it
  // goes; null outside 0 to Count() - 1.
  ChunkRef Ref(int32_t index) const;
  // The index of the chunk named `id`, or -1.
  int32_t IndexOf(ChunkId id) const;

  // `id` must be above every identity in the list; `bytes` lie in `block`.
  // Here, so that a load's call for each chunk is made in place.
  void Append(ChunkId id, const std::shared_ptr<const ByteBlock>& block, ByteView bytes) {
    entries_.push_back(Enter(id, block, bytes));
  }
  void Append(const ChunkRef& chunk) { Append(chunk.id, chunk.chunk.Block(), chunk.chunk.Bytes()); }
  void Reserve(size_t count) { entries_.reserve(count); }
  // Gives the chunk at `index` the bytes of `chunk`, keeping its identity;
  // gives the bytes it had.
  Chunk Replace(int32_t index, const Chunk& chunk);
  // Takes out the chunks at the indexes of `removed` (ascending), in one pass.
  void Remove(std::span<const RemovedChunk> removed);
  // Puts back what Remove took out, each at the index it had.
  void Restore(std::span<const RemovedChunk> removed);
  // Takes the last `count` chunks off.
  void DropLast(size_t count);
  void Clear();

  // The section's length as it will be written: 6 plus its chunks' lengths,
  // kept in step by every operation that changes a chunk.
  int32_t sectionSize = 0;

 private:
  struct BlockSlot {
    std::shared_ptr<const ByteBlock> block;  // null in a free slot
    size_t chunks = 0;                       // of the list that lie in it
  };
  // An entry for the bytes, counted in their block's slot.
  ChunkEntry Enter(ChunkId id, const std::shared_ptr<const ByteBlock>& block, ByteView bytes) {
    ChunkEntry entry{id, {}};
    entry.chunk.data_ = bytes.Data();
    entry.chunk.length_ = static_cast<uint32_t>(bytes.Length());
    entry.chunk.block_ = Take(block);
    return entry;
  }
  // The slot of `block`, taken for one more chunk: the last one taken, in a
  // load, for every chunk but the first.
  uint32_t Take(const std::shared_ptr<const ByteBlock>& block) {
    if (block.get() != lastBlock_ || lastBlock_ == nullptr) return TakeAnother(block);
    ++slots_[lastSlot_].chunks;
    return lastSlot_;
  }
  uint32_t TakeAnother(const std::shared_ptr<const ByteBlock>& block);
  // One chunk less in the slot, which lets go of its block after the last.
  void Release(uint32_t slot);

  std::vector<ChunkEntry, os::LargeAllocator<ChunkEntry>> entries_;
  std::vector<BlockSlot> slots_;
  std::vector<uint32_t> freeSlots_;
  std::unordered_map<const ByteBlock*, uint32_t> slotOf_;
  // The slot taken last, while it holds its block.
  uint32_t lastSlot_ = 0;
  const ByteBlock* lastBlock_ = nullptr;
};

// Empties the list and sets its section size to 0.
void ClearChunkList(ChunkList& list);

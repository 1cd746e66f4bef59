#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "scene/MemoryStream.h"
#include "scene/PagedArray.h"
#include "scene/StreamPool.h"

// An ordered list of chunk streams that it owns, plus the section size that the
// writer puts into the section's header.
//
// A loaded chunk is a view of its bytes in the loaded block. Until one of the
// list's chunks is asked for, the list keeps only their lengths and the runs
// of the block that they fill, which is all a load and a save need; then
// each gets a slot, and its stream when it is first asked for, made in bulk.
// Loading, saving and clearing hundreds of thousands of chunks thus make and
// free none one by one. A chunk built anew is a stream of its own, which the
// list frees when it goes.
//
// Deleting or replacing chunks one at a time must stay cheap on lists of
// hundreds of thousands: entries keep their slot when others go, and a Fenwick
// tree over the live slots turns list indexes into slots and back in
// O(log n); it is built when the first slot is emptied, until then an index
// is its slot. Each chunk knows its slot, so finding it by identity is O(1).
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
  // The chunk that `identity` names, when the list still holds that very
  // chunk; otherwise null. Touches nothing through the remembered address,
  // which may be gone: it compares it with the list's own streams.
  PStream Find(const ChunkIdentity& identity) const;
  // True for a chunk that a list holds or has made: one that a scene owns.
  static bool BelongsToAList(const TMemoryStream* chunk) {
    return chunk != nullptr && (chunk->owner_ != nullptr || chunk->pooled_);
  }

  void Append(std::unique_ptr<TMemoryStream> chunk);
  // Appends a loaded chunk: `length` bytes that lie in a block which stays
  // until the list has been cleared.
  void AppendView(const uint8_t* bytes, uint32_t length);
  // Takes the chunk at `index` out of the list; the chunks behind it move up.
  // A chunk built anew is freed; a view's stream stays until the list is
  // cleared, so a reference to it never dangles.
  void RemoveAt(int32_t index);
  // Takes out this very chunk, as RemoveAt does; nothing when the list does
  // not hold it. Its slot is known, so no index is looked for.
  void Remove(const TMemoryStream* chunk);
  // Puts `chunk` at `index` in place of the one there, which goes as RemoveAt says.
  void ReplaceAt(int32_t index, std::unique_ptr<TMemoryStream> chunk);
  // Frees every chunk and empties the list.
  void Clear();

  // Calls `visit` for every chunk's stream in list order.
  template <typename Visit>
  void ForEach(Visit&& visit) const {
    GiveSlots();
    for (size_t slot = 0; slot < slots_.Size(); ++slot)
      if (IsLive(slots_[slot])) visit(*StreamIn(slot));
  }
  // Calls `visit` (bytes, length) for the chunks' bytes in list order, making
  // no stream: neighbours not yet asked for come as one run.
  template <typename Visit>
  void ForEachBytes(Visit&& visit) const {
    slots_.ForEach([&visit](const Slot& slot) {
      if (slot.stream != nullptr)
        visit(slot.stream->Data(), slot.stream->Length());
      else if (slot.view != nullptr)
        visit(slot.view, size_t{slot.length});
    });
    for (const Run& run : loadedRuns_) visit(run.bytes, run.length);
  }

  // The section's length as it will be written: 6 plus its chunks' lengths,
  // kept in step by every operation that changes a chunk.
  int32_t sectionSize = 0;

 private:
  struct Slot {
    // A view's stream once made, or a chunk built anew, which the list owns;
    // null for a view not yet asked for and for an emptied slot.
    TMemoryStream* stream;
    const uint8_t* view;  // a loaded chunk's bytes; null for a chunk built anew
    uint32_t length;      // of the view
  };
  static bool IsLive(const Slot& slot) { return slot.stream != nullptr || slot.view != nullptr; }
  // Loaded chunks laid end to end in the block.
  struct Run {
    const uint8_t* bytes;
    size_t length;
  };

  // Gives the loaded chunks without a slot theirs, behind the others.
  void GiveSlots() const;
  void CheckRoom() const;
  TMemoryStream* StreamIn(size_t slot) const;
  void AddSlot(const Slot& slot) const;
  void Release(size_t slot);
  void RemoveSlot(size_t slot);
  size_t SlotOf(int32_t index) const;
  int32_t LiveBefore(size_t slot) const;
  void BuildTree();
  void AddToTree(size_t slot, int32_t delta);

  // Loaded chunks get their slots, and then their streams, when first asked
  // for, also through the const accessors.
  mutable PagedArray<Slot> slots_;
  mutable StreamPool views_;
  mutable std::vector<int32_t> tree_;  // Fenwick tree of live slots, 1-based; empty while none was emptied
  // The loaded chunks without a slot: their lengths in order, and the runs
  // of the block that they fill.
  mutable PagedArray<uint32_t> loadedLengths_;
  mutable std::vector<Run> loadedRuns_;
  int32_t count_ = 0;
  int32_t built_ = 0;  // chunks built anew among the live ones: what Clear frees one by one
};

// Frees every chunk stream of the list, empties it and sets its section size to 0.
void ClearChunkList(ChunkList& list);

#include "scene/ChunkList.h"

#include <algorithm>

const ChunkEntry* ChunkList::At(int32_t index) const {
  return index >= 0 && index < Count() ? &entries_[static_cast<size_t>(index)] : nullptr;
}

ChunkRef ChunkList::Ref(int32_t index) const {
  const ChunkEntry* entry = At(index);
  if (entry == nullptr) return nullptr;
  return {entry->id, Chunk(slots_[entry->chunk.block_].block, entry->chunk.Bytes())};
}

int32_t ChunkList::IndexOf(ChunkId id) const {
  const auto found = std::lower_bound(entries_.begin(), entries_.end(), id,
                                      [](const ChunkEntry& entry, ChunkId wanted) { return entry.id < wanted; });
  return found != entries_.end() && found->id == id && id != 0 ? static_cast<int32_t>(found - entries_.begin()) : -1;
}

uint32_t ChunkList::TakeAnother(const std::shared_ptr<const ByteBlock>& block) {
  if (const auto found = slotOf_.find(block.get()); found != slotOf_.end()) {
    lastSlot_ = found->second;
  } else {
    if (freeSlots_.empty()) {
      freeSlots_.push_back(static_cast<uint32_t>(slots_.size()));
      slots_.emplace_back();
    }
    lastSlot_ = freeSlots_.back();
    slotOf_.emplace(block.get(), lastSlot_);
    freeSlots_.pop_back();
    slots_[lastSlot_].block = block;
  }
  lastBlock_ = block.get();
  ++slots_[lastSlot_].chunks;
  return lastSlot_;
}

void ChunkList::Release(uint32_t slot) {
  BlockSlot& held = slots_[slot];
  if (--held.chunks > 0) return;
  if (slot == lastSlot_) lastBlock_ = nullptr;
  slotOf_.erase(held.block.get());
  held.block.reset();
  freeSlots_.push_back(slot);
}

Chunk ChunkList::Replace(int32_t index, const Chunk& chunk) {
  ChunkEntry& entry = entries_.at(static_cast<size_t>(index));
  Chunk old = Ref(index).chunk;
  const uint32_t slot = entry.chunk.block_;
  entry = Enter(entry.id, chunk.Block(), chunk.Bytes());
  Release(slot);
  return old;
}

void ChunkList::Remove(std::span<const RemovedChunk> removed) {
  size_t kept = 0;
  size_t next = 0;
  for (size_t at = 0; at < entries_.size(); ++at) {
    if (next < removed.size() && static_cast<size_t>(removed[next].index) == at) {
      ++next;
      Release(entries_[at].chunk.block_);
      continue;
    }
    if (kept != at) entries_[kept] = entries_[at];
    ++kept;
  }
  entries_.resize(kept);
}

void ChunkList::Restore(std::span<const RemovedChunk> removed) {
  std::vector<ChunkEntry, os::LargeAllocator<ChunkEntry>> merged;
  merged.reserve(entries_.size() + removed.size());
  size_t from = 0;
  for (const RemovedChunk& back : removed) {
    while (merged.size() < static_cast<size_t>(back.index) && from < entries_.size())
      merged.push_back(entries_[from++]);
    merged.push_back(Enter(back.entry.id, back.entry.chunk.Block(), back.entry.Bytes()));
  }
  while (from < entries_.size()) merged.push_back(entries_[from++]);
  entries_ = std::move(merged);
}

void ChunkList::DropLast(size_t count) {
  const size_t kept = entries_.size() - std::min(count, entries_.size());
  for (size_t at = kept; at < entries_.size(); ++at) Release(entries_[at].chunk.block_);
  entries_.resize(kept);
}

void ChunkList::Clear() {
  entries_.clear();
  slots_.clear();
  freeSlots_.clear();
  slotOf_.clear();
  lastSlot_ = 0;
  lastBlock_ = nullptr;
}

void ClearChunkList(ChunkList& list) {
  list.Clear();
  list.sectionSize = 0;
}

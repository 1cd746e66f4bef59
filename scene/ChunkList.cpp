#include "scene/ChunkList.h"

#include <algorithm>

const ChunkEntry* ChunkList::At(int32_t index) const {
  return index >= 0 && index < Count() ? &entries_[static_cast<size_t>(index)] : nullptr;
}

int32_t ChunkList::IndexOf(ChunkId id) const {
  const auto found = std::lower_bound(entries_.begin(), entries_.end(), id,
                                      [](const ChunkEntry& entry, ChunkId wanted) { return entry.id < wanted; });
  return found != entries_.end() && found->id == id && id != 0 ? static_cast<int32_t>(found - entries_.begin()) : -1;
}

void ChunkList::Append(ChunkEntry entry) { entries_.push_back(std::move(entry)); }

Chunk ChunkList::Replace(int32_t index, Chunk chunk) {
  std::swap(entries_.at(static_cast<size_t>(index)).chunk, chunk);
  return chunk;
}

void ChunkList::Remove(std::span<const RemovedChunk> removed) {
  size_t kept = 0;
  size_t next = 0;
  for (size_t at = 0; at < entries_.size(); ++at) {
    if (next < removed.size() && static_cast<size_t>(removed[next].index) == at) {
      ++next;
      continue;
    }
    if (kept != at) entries_[kept] = std::move(entries_[at]);
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
      merged.push_back(std::move(entries_[from++]));
    merged.push_back(back.entry);
  }
  while (from < entries_.size()) merged.push_back(std::move(entries_[from++]));
  entries_ = std::move(merged);
}

void ChunkList::DropLast(size_t count) { entries_.resize(entries_.size() - std::min(count, entries_.size())); }

void ClearChunkList(ChunkList& list) {
  list.Clear();
  list.sectionSize = 0;
}

#include "scene/ChunkList.h"

#include <bit>

ChunkList::~ChunkList() { Clear(); }

int32_t ChunkList::LiveBefore(size_t slot) const {
  int32_t sum = 0;
  for (size_t i = slot; i > 0; i &= i - 1) sum += tree_[i];
  return sum;
}

void ChunkList::AddToTree(size_t slot, int32_t delta) {
  for (size_t i = slot + 1; i < tree_.size(); i += i & (~i + 1)) tree_[i] += delta;
}

size_t ChunkList::SlotOf(int32_t index) const {
  // Descend the tree for the smallest prefix that holds index + 1 live slots.
  size_t position = 0;
  int32_t remaining = index + 1;
  for (size_t step = std::bit_floor(tree_.size() - 1); step > 0; step >>= 1) {
    const size_t next = position + step;
    if (next < tree_.size() && tree_[next] < remaining) {
      position = next;
      remaining -= tree_[next];
    }
  }
  return position;
}

PStream ChunkList::At(int32_t index) const {
  if (index < 0 || index >= count_) return nullptr;
  return slots_[SlotOf(index)].get();
}

int32_t ChunkList::IndexOf(const TMemoryStream* chunk) const { return Holds(chunk) ? LiveBefore(chunk->slot_) : -1; }

void ChunkList::Append(std::unique_ptr<TMemoryStream> chunk) {
  if (tree_.empty()) tree_.push_back(0);
  const size_t slot = slots_.size();
  const size_t node = slot + 1;
  // A new node covers the slots (node - lowbit(node), node]: its own 1 plus the
  // live slots before it in that range.
  const size_t rangeStart = node - (node & (~node + 1));
  tree_.push_back(1 + LiveBefore(slot) - LiveBefore(rangeStart));
  chunk->owner_ = this;
  chunk->slot_ = slot;
  slots_.push_back(std::move(chunk));
  ++count_;
}

std::unique_ptr<TMemoryStream> ChunkList::RemoveAt(int32_t index) {
  if (index < 0 || index >= count_) return nullptr;
  const size_t slot = SlotOf(index);
  std::unique_ptr<TMemoryStream> chunk = std::move(slots_[slot]);
  AddToTree(slot, -1);
  --count_;
  chunk->owner_ = nullptr;
  return chunk;
}

std::unique_ptr<TMemoryStream> ChunkList::ReplaceAt(int32_t index, std::unique_ptr<TMemoryStream> chunk) {
  if (index < 0 || index >= count_) return nullptr;
  const size_t slot = SlotOf(index);
  std::unique_ptr<TMemoryStream> old = std::move(slots_[slot]);
  old->owner_ = nullptr;
  chunk->owner_ = this;
  chunk->slot_ = slot;
  slots_[slot] = std::move(chunk);
  return old;
}

void ChunkList::Clear() {
  for (auto& slot : slots_) slot.reset();
  std::vector<std::unique_ptr<TMemoryStream>>().swap(slots_);
  std::vector<int32_t>().swap(tree_);
  count_ = 0;
}

void ClearChunkList(ChunkList& list) {
  list.Clear();
  list.sectionSize = 0;
}

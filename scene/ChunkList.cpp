#include "scene/ChunkList.h"

#include <bit>
#include <stdexcept>

ChunkList::~ChunkList() { Clear(); }

int32_t ChunkList::LiveBefore(size_t slot) const {
  if (tree_.empty()) return static_cast<int32_t>(slot);
  int32_t sum = 0;
  for (size_t i = slot; i > 0; i &= i - 1) sum += tree_[i];
  return sum;
}

void ChunkList::AddToTree(size_t slot, int32_t delta) {
  for (size_t i = slot + 1; i < tree_.size(); i += i & (~i + 1)) tree_[i] += delta;
}

void ChunkList::BuildTree() {
  // Every slot is live: a node covers as many as its lowest bit says.
  tree_.resize(slots_.Size() + 1);
  for (size_t node = 1; node < tree_.size(); ++node) tree_[node] = static_cast<int32_t>(node & (~node + 1));
}

size_t ChunkList::SlotOf(int32_t index) const {
  if (tree_.empty()) return static_cast<size_t>(index);
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

TMemoryStream* ChunkList::StreamIn(size_t slot) const {
  Slot& entry = slots_[slot];
  if (entry.stream == nullptr) {
    entry.stream = views_.NewView(entry.view, entry.length);
    entry.stream->owner_ = this;
    entry.stream->slot_ = static_cast<uint32_t>(slot);
  }
  return entry.stream;
}

PStream ChunkList::At(int32_t index) const {
  if (index < 0 || index >= count_) return nullptr;
  GiveSlots();
  return StreamIn(SlotOf(index));
}

int32_t ChunkList::IndexOf(const TMemoryStream* chunk) const { return Holds(chunk) ? LiveBefore(chunk->slot_) : -1; }

PStream ChunkList::Find(const ChunkIdentity& identity) const {
  // A chunk that was never asked for has no stream, so no one can name it.
  if (identity.stream == nullptr) return nullptr;
  for (size_t slot = 0; slot < slots_.Size(); ++slot) {
    TMemoryStream* stream = slots_[slot].stream;
    if (stream == identity.stream) return stream->Serial() == identity.serial ? stream : nullptr;
  }
  return nullptr;
}

void ChunkList::CheckRoom() const {
  // Slots are counted in 32 bits, like the list's indexes.
  if (slots_.Size() + loadedLengths_.Size() >= INT32_MAX) throw std::length_error("a list holds no more chunks");
}

void ChunkList::AddSlot(const Slot& slot) const {
  slots_.PushBack(slot);
  if (!tree_.empty()) {
    // A new node covers the slots (node - lowBit, node]: its own 1 plus the
    // live slots before it in that range.
    const size_t node = slots_.Size();
    const size_t lowBit = node & (~node + 1);
    try {
      tree_.push_back(1 + LiveBefore(node - 1) - LiveBefore(node - lowBit));
    } catch (...) {
      slots_.PopBack();
      throw;
    }
  }
}

void ChunkList::GiveSlots() const {
  if (loadedRuns_.empty()) return;
  // All the room first, so that no chunk is left half moved.
  slots_.Reserve(slots_.Size() + loadedLengths_.Size());
  if (!tree_.empty()) tree_.reserve(tree_.size() + loadedLengths_.Size());
  size_t next = 0;
  for (const Run& run : loadedRuns_) {
    for (size_t offset = 0; offset < run.length; ++next) {
      const uint32_t length = loadedLengths_[next];
      AddSlot({nullptr, run.bytes + offset, length});
      offset += length;
    }
  }
  std::vector<Run>().swap(loadedRuns_);
  loadedLengths_.Clear();
}

void ChunkList::Append(std::unique_ptr<TMemoryStream> chunk) {
  CheckRoom();
  GiveSlots();
  AddSlot({chunk.get(), nullptr, 0});
  chunk->owner_ = this;
  chunk->slot_ = static_cast<uint32_t>(slots_.Size() - 1);
  static_cast<void>(chunk.release());
  ++count_;
  ++built_;
}

void ChunkList::AppendView(const uint8_t* bytes, uint32_t length) {
  CheckRoom();
  loadedLengths_.PushBack(length);
  if (!loadedRuns_.empty() && loadedRuns_.back().bytes + loadedRuns_.back().length == bytes) {
    loadedRuns_.back().length += length;
  } else {
    try {
      loadedRuns_.push_back({bytes, length});
    } catch (...) {
      loadedLengths_.PopBack();
      throw;
    }
  }
  ++count_;
}

void ChunkList::Release(size_t slot) {
  Slot& entry = slots_[slot];
  if (entry.view == nullptr) {
    delete entry.stream;
    --built_;
  } else if (entry.stream != nullptr) {
    entry.stream->owner_ = nullptr;
  }
  entry = {nullptr, nullptr, 0};
}

void ChunkList::RemoveSlot(size_t slot) {
  Release(slot);
  if (tree_.empty()) BuildTree();
  AddToTree(slot, -1);
  --count_;
}

void ChunkList::RemoveAt(int32_t index) {
  if (index < 0 || index >= count_) return;
  GiveSlots();
  RemoveSlot(SlotOf(index));
}

void ChunkList::Remove(const TMemoryStream* chunk) {
  if (Holds(chunk)) RemoveSlot(chunk->slot_);
}

void ChunkList::ReplaceAt(int32_t index, std::unique_ptr<TMemoryStream> chunk) {
  if (index < 0 || index >= count_) return;
  GiveSlots();
  const size_t slot = SlotOf(index);
  Release(slot);
  chunk->owner_ = this;
  chunk->slot_ = static_cast<uint32_t>(slot);
  slots_[slot] = {chunk.release(), nullptr, 0};
  ++built_;
}

void ChunkList::Clear() {
  if (built_ > 0)
    slots_.ForEach([](const Slot& slot) {
      if (slot.view == nullptr) delete slot.stream;
    });
  views_.Clear();
  slots_.Clear();
  loadedLengths_.Clear();
  std::vector<Run>().swap(loadedRuns_);
  std::vector<int32_t>().swap(tree_);
  count_ = 0;
  built_ = 0;
}

void ClearChunkList(ChunkList& list) {
  list.Clear();
  list.sectionSize = 0;
}

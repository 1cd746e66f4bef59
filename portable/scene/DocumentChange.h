#pragma once
// What one step of a document's history did to its four sections: which
// chunks went, came or got new bytes, each by its identity and its index in
// its list. A view of the document follows the document by it. The runs of
// chunks that went or came are read from the edit itself, not copied: a step
// over half a million chunks costs nothing more here. A change holds until
// the document's next step, load or clear.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>

#include "scene/ChunkList.h"
#include "scene/ChunkRef.h"
#include "scene/ChunkTypes.h"

struct DocumentChange {
  enum class Step { None, Done, Undone, Redone };

  struct ListedChunk {
    ChunkId id = 0;
    int32_t index = 0;
  };

  // Steps through a view of chunks by their place in it.
  template <typename View>
  class Iterator {
   public:
    Iterator(const View& view, size_t at) : view_(&view), at_(at) {}
    ListedChunk operator*() const { return (*view_)[at_]; }
    Iterator& operator++() {
      ++at_;
      return *this;
    }
    bool operator==(const Iterator& other) const { return at_ == other.at_; }

   private:
    const View* view_;
    size_t at_;
  };

  // Chunks of one list with their indexes, ascending: those an edit took out,
  // at the indexes they had, or those it appended, from an index on.
  class Run {
   public:
    Run() = default;
    explicit Run(std::span<const RemovedChunk> takenOut) : takenOut_(takenOut) {}
    Run(std::span<const ChunkRef> appended, int32_t from) : appended_(appended), from_(from) {}

    size_t size() const { return takenOut_.size() + appended_.size(); }
    bool empty() const { return size() == 0; }
    ListedChunk operator[](size_t at) const {
      if (!takenOut_.empty()) return {takenOut_[at].entry.id, takenOut_[at].index};
      return {appended_[at].id, from_ + static_cast<int32_t>(at)};
    }
    ListedChunk front() const { return (*this)[0]; }
    Iterator<Run> begin() const { return {*this, 0}; }
    Iterator<Run> end() const { return {*this, size()}; }

   private:
    std::span<const RemovedChunk> takenOut_;
    std::span<const ChunkRef> appended_;
    int32_t from_ = 0;
  };

  // Chunks of one list that got new bytes at the same index, in the order
  // the edit made them, with their indexes after the step: read from the
  // edit's swaps and the list, not copied, as a set of every object swaps
  // half a million.
  class Replaced {
   public:
    Replaced() = default;
    // `removedAfter`: what the step took out once it had swapped bytes (an
    // edit applied does so), which moves a swap's index down by the chunks
    // taken out before it; empty for a step that took out none after.
    Replaced(std::span<const std::pair<int32_t, Chunk>> swapped, std::span<const RemovedChunk> removedAfter,
             const ChunkList& list)
        : swapped_(swapped), removedAfter_(removedAfter), list_(&list) {}

    size_t size() const { return swapped_.size(); }
    bool empty() const { return swapped_.empty(); }
    ListedChunk operator[](size_t at) const;
    Iterator<Replaced> begin() const { return {*this, 0}; }
    Iterator<Replaced> end() const { return {*this, size()}; }

   private:
    std::span<const std::pair<int32_t, Chunk>> swapped_;
    std::span<const RemovedChunk> removedAfter_;
    const ChunkList* list_ = nullptr;
  };

  // The changes to one section's list.
  struct Section {
    Run removed;        // ascending indexes, as they were before the step
    Run added;          // ascending indexes, as they are after it
    Replaced replaced;  // new bytes at the same index
  };

  Step step = Step::None;
  std::array<Section, kSceneSectionCount> sections{};  // in the order of kSceneSections
};

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
#include <vector>

#include "os/LargeMemory.h"
#include "scene/ChunkList.h"
#include "scene/ChunkRef.h"
#include "scene/ChunkTypes.h"

struct DocumentChange {
  enum class Step { None, Done, Undone, Redone };

  struct ListedChunk {
    ChunkId id = 0;
    int32_t index = 0;
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

    class Iterator {
     public:
      Iterator(const Run& run, size_t at) : run_(&run), at_(at) {}
      ListedChunk operator*() const { return (*run_)[at_]; }
      Iterator& operator++() {
        ++at_;
        return *this;
      }
      bool operator==(const Iterator& other) const { return at_ == other.at_; }

     private:
      const Run* run_;
      size_t at_;
    };
    Iterator begin() const { return {*this, 0}; }
    Iterator end() const { return {*this, size()}; }

   private:
    std::span<const RemovedChunk> takenOut_;
    std::span<const ChunkRef> appended_;
    int32_t from_ = 0;
  };

  // The changes to one section's list.
  struct Section {
    Run removed;  // ascending indexes, as they were before the step
    Run added;    // ascending indexes, as they are after it
    // New bytes at the same index, in the order the edit made them; a set of
    // every object replaces half a million.
    std::vector<ListedChunk, os::LargeAllocator<ListedChunk>> replaced;
  };

  Step step = Step::None;
  std::array<Section, kSceneSectionCount> sections{};  // in the order of kSceneSections
};

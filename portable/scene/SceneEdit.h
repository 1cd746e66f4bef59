#pragma once
// One change to a document's lists as a value: what it did and what undoes
// it. It holds chunk handles, never copies of bytes, so taking back the
// deletion of half a million chunks costs their handles, not a second scene.

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "os/LargeMemory.h"
#include "scene/ChunkList.h"

// What an edit does to one list. Applied, it replaces the bytes at some
// indexes, then takes chunks out, then appends; reverted, the reverse.
struct ListEdit {
  ChunkList* list = nullptr;  // the document's, which outlives its history
  // An index and the bytes that are not in the list: the new ones before the
  // edit is applied, the old ones after; applying and reverting swap them.
  // In memory for large arrays: a set of every object swaps half a million.
  using Swaps = std::vector<std::pair<int32_t, Chunk>, os::LargeAllocator<std::pair<int32_t, Chunk>>>;
  Swaps swapped;
  std::vector<RemovedChunk> removed;  // ascending indexes, as they were before
  std::vector<ChunkRef> added;
  int32_t sizeBefore = 0;
  int32_t sizeAfter = 0;
};

class SceneEdit {
 public:
  // `what` says what the edit does, for the trace of an undo: "delete of 3 chunks".
  explicit SceneEdit(std::string what) : what_(std::move(what)) {}

  // The edit's part for `list`, made on first use.
  ListEdit& Of(ChunkList& list);
  // Sets the sizes after the edit from the sizes before and the changes in
  // length, as every editing operation keeps them: a list that gains a chunk
  // while its section is absent gets a section header back.
  void SetSizesAfter(int32_t fileSize);

  void Apply(int32_t& fileSize);
  void Revert(int32_t& fileSize);

  const std::string& What() const { return what_; }
  bool Empty() const { return lists_.empty(); }
  std::span<const ListEdit> Lists() const { return lists_; }

 private:
  std::string what_;
  std::vector<ListEdit> lists_;
  int32_t fileSizeBefore_ = 0;
  int32_t fileSizeAfter_ = 0;
};

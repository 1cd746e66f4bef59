#pragma once
// A batch of replacements for one edit, checked as it is made for what
// concerns each chunk alone: its type, its place, whether its name changes.
// Several are made at once on threads of their own (the document is only
// read then), each by the thread that made its chunks, while their bytes
// are at hand; SceneDocument::ReplaceChunks then takes them together,
// checking only what spans them: a chunk given twice, a name that changes
// to one that its list holds.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "scene/ChunkTypes.h"
#include "scene/SceneEdit.h"
#include "scene/SceneError.h"

class ReplacementBatch {
 public:
  // Room for `count` replacements, the most a batch of one section takes.
  void Reserve(size_t count) { expected_ = count; }

 private:
  friend class SceneDocument;
  size_t expected_ = 0;
  size_t count_ = 0;
  // For each section: the replacements in the order given, as an edit swaps them.
  std::array<ListEdit::Swaps, kSceneSectionCount> swaps_;
  // For each section: where in its swaps a chunk's name changes.
  std::array<std::vector<size_t>, kSceneSectionCount> renamed_;
  // For each section: the index found last, + 1. A batch comes in list
  // order, mostly: the chunk after it is tried before a search.
  std::array<int32_t, kSceneSectionCount> next_{};
  // Why the batch was refused; it takes nothing after.
  std::optional<SceneError> refusal_;
};

#include "scene/SceneEdit.h"

#include "scene/ChunkTypes.h"
#include "scene/SizeBookkeeping.h"

ListEdit& SceneEdit::Of(ChunkList& list) {
  for (ListEdit& edit : lists_)
    if (edit.list == &list) return edit;
  ListEdit& edit = lists_.emplace_back();
  edit.list = &list;
  edit.sizeBefore = list.sectionSize;
  return edit;
}

void SceneEdit::SetSizesAfter(int32_t fileSize) {
  fileSizeBefore_ = fileSize;
  for (ListEdit& edit : lists_) {
    int64_t delta = 0;
    for (const auto& [index, chunk] : edit.swapped)
      delta += static_cast<int64_t>(chunk.Length()) -
               static_cast<int64_t>(edit.list->Entries()[static_cast<size_t>(index)].chunk.Length());
    for (const RemovedChunk& removed : edit.removed) delta -= static_cast<int64_t>(removed.entry.chunk.Length());
    for (const ChunkRef& added : edit.added) delta += static_cast<int64_t>(added.chunk.Length());
    edit.sizeAfter = edit.sizeBefore;
    if (!edit.added.empty() && edit.sizeAfter < static_cast<int32_t>(kChunkHeaderSize)) {
      AddToSize(fileSize, static_cast<int64_t>(kChunkHeaderSize) - edit.sizeAfter);
      edit.sizeAfter = kChunkHeaderSize;
    }
    AddToSize(edit.sizeAfter, delta);
    AddToSize(fileSize, delta);
  }
  fileSizeAfter_ = fileSize;
}

void SceneEdit::Apply(int32_t& fileSize) {
  for (ListEdit& edit : lists_) {
    for (auto& [index, chunk] : edit.swapped) chunk = edit.list->Replace(index, std::move(chunk));
    if (!edit.removed.empty()) edit.list->Remove(edit.removed);
    for (const ChunkRef& added : edit.added) edit.list->Append(added);
    edit.list->sectionSize = edit.sizeAfter;
  }
  fileSize = fileSizeAfter_;
}

void SceneEdit::Revert(int32_t& fileSize) {
  for (auto edit = lists_.rbegin(); edit != lists_.rend(); ++edit) {
    edit->list->DropLast(edit->added.size());
    if (!edit->removed.empty()) edit->list->Restore(edit->removed);
    for (auto& [index, chunk] : edit->swapped) chunk = edit->list->Replace(index, std::move(chunk));
    edit->list->sectionSize = edit->sizeBefore;
  }
  fileSize = fileSizeBefore_;
}

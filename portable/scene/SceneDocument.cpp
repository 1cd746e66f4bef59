#include "scene/SceneDocument.h"

#include <algorithm>

#include "scene/ChunkTypes.h"

SceneDocument::SceneDocument() {
  for (ChunkList& section : sectionLists) section.sectionSize = static_cast<int32_t>(kChunkHeaderSize);
}

// The observer outlives the document: it hears of the last clear.
SceneDocument::~SceneDocument() { clear(); }

void SceneDocument::DropLoad() {
  ClearChunkList(heads);
  for (ChunkList& section : sectionLists) ClearChunkList(section);
  block_.reset();
  fileSize = 0;
}

void SceneDocument::clear() {
  DropLoad();
  history_.Clear();
  lastChange_ = {};
  events_->Cleared();
}

ChunkList* SceneDocument::ListBySectionCode(uint16_t code) {
  const SceneSection* section = SectionByCode(code);
  return section != nullptr ? &sectionLists[SectionIndex(*section)] : nullptr;
}

ChunkList* SceneDocument::ListOfItemType(uint16_t type) { return const_cast<ChunkList*>(ListOfType(type)); }

const ChunkList* SceneDocument::ListOfType(uint16_t type) const {
  const SceneSection* section = SectionOfItemType(type);
  return section != nullptr ? &List(*section) : nullptr;
}

ChunkRef SceneDocument::Get(ChunkId id) const {
  for (const ChunkList& list : sectionLists)
    if (ChunkRef chunk = list.Ref(list.IndexOf(id))) return chunk;
  return nullptr;
}

void SceneDocument::Do(SceneEdit edit) {
  edit.SetSizesAfter(fileSize);
  NoteChange(history_.Do(std::move(edit), fileSize), DocumentChange::Step::Done);
}

bool SceneDocument::Undo() {
  const SceneEdit* undone = history_.Undo(fileSize);
  if (undone == nullptr) return false;
  NoteChange(*undone, DocumentChange::Step::Undone);
  events_->Undone(undone->What());
  return true;
}

bool SceneDocument::Redo() {
  const SceneEdit* redone = history_.Redo(fileSize);
  if (redone == nullptr) return false;
  NoteChange(*redone, DocumentChange::Step::Redone);
  events_->Redone(redone->What());
  return true;
}

DocumentChange::ListedChunk DocumentChange::Replaced::operator[](size_t at) const {
  const int32_t index = swapped_[at].first;
  const auto before =
      std::lower_bound(removedAfter_.begin(), removedAfter_.end(), index,
                       [](const RemovedChunk& removed, int32_t place) { return removed.index < place; });
  const int32_t now = index - static_cast<int32_t>(before - removedAfter_.begin());
  return {list_->At(now)->id, now};
}

void SceneDocument::NoteChange(const SceneEdit& edit, DocumentChange::Step step) {
  lastChange_ = {.step = step};
  const bool undone = step == DocumentChange::Step::Undone;
  for (const ListEdit& list : edit.Lists()) {
    DocumentChange::Section& section = lastChange_.sections[static_cast<size_t>(list.list - sectionLists.data())];
    // An undo takes off the chunks that the edit appended, from the end of
    // the list as it was, and puts back those it took out.
    const size_t count = static_cast<size_t>(list.list->Count());
    const size_t appendedFrom = undone ? count - list.removed.size() : count - list.added.size();
    const DocumentChange::Run appended(list.added, static_cast<int32_t>(appendedFrom));
    const DocumentChange::Run takenOut(list.removed);
    section.removed = undone ? appended : takenOut;
    section.added = undone ? takenOut : appended;
    // An edit applied replaces bytes before it takes chunks out.
    section.replaced = {list.swapped, undone ? std::span<const RemovedChunk>() : list.removed, *list.list};
  }
}

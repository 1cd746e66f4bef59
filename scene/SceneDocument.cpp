#include "scene/SceneDocument.h"

#include "scene/ChunkTypes.h"
#include "scene/Exception.h"

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
  events_->Cleared();
}

ChunkList* SceneDocument::ListBySectionCode(uint16_t code) {
  const SceneSection* section = SectionByCode(code);
  return section != nullptr ? &sectionLists[SectionIndex(*section)] : nullptr;
}

ChunkList* SceneDocument::ListOfItemType(uint16_t type) {
  const SceneSection* section = SectionOfItemType(type);
  return section != nullptr ? &sectionLists[SectionIndex(*section)] : nullptr;
}

const ChunkList& SceneDocument::SectionListByChunkID(uint16_t SectionID) const {
  const SceneSection* section = SectionOfItemType(SectionID);
  if (section == nullptr)
    throw Exception(Exception::Code::Absent, "qScene2bin.SectionListByChunkID: incorrect param SectionID");
  return sectionLists[SectionIndex(*section)];
}

int32_t SceneDocument::CountByChunkID(uint16_t SectionID) const { return SectionListByChunkID(SectionID).Count(); }

PStream SceneDocument::Get(ChunkId id) const {
  for (const ChunkList& list : sectionLists)
    if (PStream chunk = list.Ref(list.IndexOf(id))) return chunk;
  return nullptr;
}

void SceneDocument::Do(SceneEdit edit) {
  edit.SetSizesAfter(fileSize);
  history_.Do(std::move(edit), fileSize);
}

bool SceneDocument::Undo() {
  const SceneEdit* undone = history_.Undo(fileSize);
  if (undone != nullptr) events_->Undone(undone->What());
  return undone != nullptr;
}

bool SceneDocument::Redo() {
  const SceneEdit* redone = history_.Redo(fileSize);
  if (redone != nullptr) events_->Redone(redone->What());
  return redone != nullptr;
}

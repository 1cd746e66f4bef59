#include "scene/SceneDocument.h"

#include "scene/ChunkTypes.h"
#include "scene/Exception.h"
#include "scene/Trace.h"

SceneDocument::SceneDocument() {
  for (ChunkList& section : sectionLists) section.sectionSize = static_cast<int32_t>(kChunkHeaderSize);
}

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
  loadFailure_.clear();
  Trace("* qScene2bin.clear done *");
}

ChunkList* SceneDocument::ListBySectionCode(uint16_t code) {
  const SceneSection* section = SectionByCode(code);
  return section != nullptr ? &sectionLists[SectionIndex(*section)] : nullptr;
}

namespace {

size_t ListIndexOfItemType(uint16_t SectionID) {
  const SceneSection* section = SectionOfItemType(SectionID);
  if (section == nullptr)
    throw Exception(Exception::Code::Absent, "qScene2bin.SectionListByChunkID: incorrect param SectionID");
  return SectionIndex(*section);
}

}  // namespace

ChunkList& SceneDocument::ListOfItemType(uint16_t SectionID) { return sectionLists[ListIndexOfItemType(SectionID)]; }

const ChunkList& SceneDocument::SectionListByChunkID(uint16_t SectionID) const {
  return sectionLists[ListIndexOfItemType(SectionID)];
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
  if (undone != nullptr) Trace("qScene2bin.Undo: " + undone->What());
  return undone != nullptr;
}

bool SceneDocument::Redo() {
  const SceneEdit* redone = history_.Redo(fileSize);
  if (redone != nullptr) Trace("qScene2bin.Redo: " + redone->What());
  return redone != nullptr;
}

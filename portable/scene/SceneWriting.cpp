// Saving: the root header, the head chunks, then the sections in their fixed
// write order (objects, definitions, visual effects, init scripts). The sizes written
// are those of the bytes written, so every saved file loads again.

#include <array>
#include <string>

#include "scene/ChunkTypes.h"
#include "scene/ChunkWriter.h"
#include "scene/Exception.h"
#include "scene/FileReplacement.h"
#include "scene/GatherWriter.h"
#include "scene/SceneDocument.h"

namespace {

using ChunkHeader = std::array<uint8_t, kChunkHeaderSize>;

void WriteChunkList(GatherWriter& out, const ChunkList& list) {
  for (const ChunkEntry& entry : list.Entries()) out.Add(entry.chunk.Data(), entry.chunk.Length());
}

// Runs a write; what it raised, as the save's error.
template <typename Writing>
Outcome<Done> Attempt(const Writing& write) {
  SceneError error{SceneFault::Unwritable, ""};
  try {
    write();
    return Done{};
  } catch (const FileWriteError& failure) {
    error.message = failure.Message;
    error.reason = failure.Reason;
  } catch (const std::exception& failure) {
    error.message = error.reason = FailureMessage(failure);
  }
  return error;
}

uint64_t ListLength(const ChunkList& list) {
  uint64_t length = 0;
  for (const ChunkEntry& entry : list.Entries()) length += entry.chunk.Length();
  return length;
}

// The file's bytes of a head list and the section lists.
void WriteLists(TStream& stream, const ChunkList& heads,
                const std::array<ChunkList, kSceneSectionCount>& sectionLists) {
  // A section is written when its list holds a chunk; its size then covers
  // every chunk it holds, whatever the document kept (two merged sections,
  // deletions). Its header stays here until everything has gone out.
  struct Section {
    uint16_t code = 0;
    const ChunkList* list = nullptr;
    uint64_t length = 0;
    ChunkHeader header{};
  };
  std::array<Section, kSceneSectionCount> sections;
  for (const SceneSection& section : kSceneSections) {
    const ChunkList& list = sectionLists[SectionIndex(section)];
    sections[section.writePlace] = {section.code, &list, ListLength(list), {}};
  }

  uint64_t rootSize = kChunkHeaderSize + ListLength(heads);
  bool anySection = false;
  for (Section& section : sections) {
    if (section.list->Count() == 0) continue;
    section.header = ChunkHeaderBytes(section.code, static_cast<uint32_t>(kChunkHeaderSize + section.length));
    rootSize += kChunkHeaderSize + section.length;
    anySection = true;
  }
  // A file without any section fails to load at its head: keep one, empty.
  const ChunkHeader emptySection = ChunkHeaderBytes(kObjectsSection, kChunkHeaderSize);
  if (!anySection) rootSize += kChunkHeaderSize;
  if (rootSize > INT32_MAX) throw Exception(Exception::Code::Invalid, "the scene is too large for one file");

  const ChunkHeader root = ChunkHeaderBytes(kRootChunk, static_cast<uint32_t>(rootSize));
  GatherWriter out(stream);
  out.Add(root.data(), root.size());
  WriteChunkList(out, heads);
  for (const Section& section : sections) {
    if (section.list->Count() == 0) continue;
    out.Add(section.header.data(), section.header.size());
    WriteChunkList(out, *section.list);
  }
  if (!anySection) out.Add(emptySection.data(), emptySection.size());
  out.Flush();
}

}  // namespace

void SceneSnapshot::Write(TStream& stream) const { WriteLists(stream, heads, sections); }

Outcome<Done> SceneDocument::Write(TStream& stream) const {
  return Attempt([&] { WriteLists(stream, heads, sectionLists); });
}

Outcome<Done> SceneDocument::Save(const std::string& path) {
  const Outcome<Done> saved = Attempt([&] {
    TFileReplacement file(path);
    WriteLists(file.Stream(), heads, sectionLists);
    file.Commit();
  });
  if (!saved.ok()) {
    events_->SaveFailed(saved.failure());
    return saved;
  }
  history_.MarkSaved();
  events_->Saved();
  return saved;
}

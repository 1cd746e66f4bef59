// Deleting, replacing, renaming and adding scene item chunks: each checks
// everything before it changes anything, then changes the scene as one edit
// of its history, which keeps the sizes in step.

#include <algorithm>
#include <array>
#include <string>

#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "scene/ChunkWriter.h"
#include "scene/Counted.h"
#include "scene/Exception.h"
#include "scene/Hex.h"
#include "scene/LittleEndian.h"
#include "scene/SceneDocument.h"
#include "scene/SceneEdit.h"
#include "scene/Trace.h"

namespace {

// The four messages of ReplaceChunkData, in the Windows-1251 code page.
const char kNoData[] = "\xC4\xE0\xED\xED\xFB\xE5 \xED\xE5 \xE2\xE2\xE5\xE4\xE5\xED\xFB.";
const char kIncorrectData[] = "\xCD\xE5\xEA\xEE\xF0\xF0\xE5\xEA\xF2\xED\xFB\xE5 \xE4\xE0\xED\xED\xFB\xE5.";
const char kIncorrectCall[] = "\xCD\xE5\xEA\xEE\xF0\xF0\xE5\xEA\xF2\xED\xFB\xE9 \xE2\xFB\xE7\xEE\xE2. OldChunk = NULL";
const char kNamesCoincide[] = "\xD1\xEE\xE2\xEF\xE0\xE4\xE5\xED\xE8\xE5 \xE8\xEC\xB8\xED.";

}  // namespace

// The old bytes up to the name sub-chunk, a name sub-chunk of its type with
// the new name, then the old bytes behind the old name. A name size that runs
// past the chunk's end leaves nothing behind it.
Chunk RebuildWithName(ByteView chunk, uint32_t offset, uint32_t size, const std::string& name) {
  const uint8_t* old = chunk.Data();
  const size_t oldLength = chunk.Length();
  const auto tail = static_cast<size_t>(std::min<uint64_t>(static_cast<uint64_t>(offset) + size, oldLength));
  ChunkWriter rebuilt;
  rebuilt.Open(ReadU16LE(old));
  rebuilt.Bytes(old + kChunkHeaderSize, offset - kChunkHeaderSize);
  rebuilt.Chunk(ReadU16LE(old + offset), name);
  rebuilt.Bytes(old + tail, oldLength - tail);
  rebuilt.Close();
  return Chunk::CopyOf(rebuilt.Written());
}

namespace {

void TraceDump(const char* label, ByteView chunk) {
  Trace(label);
  DumpChunk(chunk);
  Trace("");
}

}  // namespace

void DumpChunk(ByteView chunk) {
  std::string text;
  text.reserve(chunk.Length() * 3);
  for (size_t i = 0; i < chunk.Length(); ++i) text += HexUpper(chunk.Data()[i], 2) + ' ';
  TraceWrite(text);
}

int32_t SceneDocument::DeleteDNC(PStream& Chunk) {
  const char* const kIncorrectParam = "qScene2bin.DeleteDNC( const Chunk: PStream ): integer; incorrect param.";
  if (Chunk == nullptr) throw Exception(Exception::Code::Invalid, kIncorrectParam);
  const int32_t index = SectionListByChunkID(GetChunkType(Chunk.Bytes())).IndexOf(Chunk.id);
  if (index < 0) throw Exception(Exception::Code::Invalid, kIncorrectParam);
  DeleteChunks(std::span(&Chunk.id, 1));
  Chunk = nullptr;
  return index;
}

size_t SceneDocument::DeleteChunks(std::span<const ChunkId> ids) {
  std::array<std::vector<int32_t>, kSceneSectionCount> indexes;
  size_t deleted = 0;
  for (size_t section = 0; section < kSceneSectionCount; ++section) {
    std::vector<int32_t>& found = indexes[section];
    for (const ChunkId id : ids)
      if (const int32_t index = sectionLists[section].IndexOf(id); index >= 0) found.push_back(index);
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    deleted += found.size();
  }
  if (deleted == 0) return 0;
  SceneEdit edit("delete of " + Counted(deleted, "chunk"));
  for (size_t section = 0; section < kSceneSectionCount; ++section) {
    if (indexes[section].empty()) continue;
    ChunkList& list = sectionLists[section];
    std::vector<RemovedChunk>& removed = edit.Of(list).removed;
    removed.reserve(indexes[section].size());
    for (const int32_t index : indexes[section]) removed.push_back({index, list.Ref(index)});
  }
  Do(std::move(edit));
  return deleted;
}

EditResult SceneDocument::Replace(const PStream& OldChunk, const Chunk& NewChunk) {
  EditResult result;
  try {
    if (!NewChunk) throw Exception(Exception::Code::NoData, kNoData);
    if (OldChunk == nullptr) throw Exception(Exception::Code::Invalid, kIncorrectCall);
    TraceDump("OLD", OldChunk.Bytes());
    const uint16_t type = GetChunkType(OldChunk.Bytes());
    if (GetChunkType(NewChunk.Bytes()) != type) throw Exception(Exception::Code::Invalid, kIncorrectData);
    ChunkList& list = ListOfItemType(type);
    const int32_t index = list.IndexOf(OldChunk.id);
    if (index < 0) throw Exception(Exception::Code::Invalid, kIncorrectCall);
    GetChunkName(NewChunk.Bytes(), result.name);
    const int32_t holder = FindChunkByName(list, result.name);
    if (holder >= 0 && holder != index) throw Exception(Exception::Code::Invalid, kNamesCoincide);

    SceneEdit edit("change of " + std::string(SectionOfItemType(type)->word) + " " + result.name);
    edit.Of(list).swapped.emplace_back(index, NewChunk);
    Do(std::move(edit));
    result.chunk = {OldChunk.id, NewChunk};
    TraceDump("NEW", NewChunk.Bytes());
  } catch (const std::exception& failure) {
    result.Refuse(failure);
  }
  return result;
}

EditResult SceneDocument::Rename(const PStream& chunk, const std::string& newName) {
  try {
    if (chunk == nullptr) throw Exception(Exception::Code::Invalid, "no chunk to rename");
    uint32_t offset = 0;
    uint32_t size = 0;
    GetChunkNameOffsSize(chunk.Bytes(), offset, size);
    return Replace(chunk, RebuildWithName(chunk.Bytes(), offset, size, newName));
  } catch (const std::exception& failure) {
    EditResult result;
    result.Refuse(failure);
    return result;
  }
}

EditResult SceneDocument::Add(Chunk chunk) {
  EditResult result;
  try {
    const uint16_t type = GetChunkType(chunk.Bytes());
    ChunkList& list = ListOfItemType(type);
    GetChunkName(chunk.Bytes(), result.name);
    if (FindChunkByName(list, result.name) >= 0) throw Exception(Exception::Code::Invalid, kNamesCoincide);
    const std::string what = std::string(SectionOfItemType(type)->word) + " " + result.name;
    result.chunk = {NewId(), std::move(chunk)};
    SceneEdit edit("add of " + what);
    edit.Of(list).added.push_back({result.chunk.id, result.chunk.chunk});
    Do(std::move(edit));
    Trace("qScene2bin.AddChunk: added " + what);
  } catch (const std::exception& failure) {
    result.Refuse(failure);
  }
  return result;
}

void EditResult::Refuse(const std::exception& failure) {
  refusal = FailureMessage(failure);
  chunk = nullptr;
  name.clear();
}

void TraceRefusal(const char* operation, const EditResult& result) {
  Trace("qScene2bin." + std::string(operation) + ": " + *result.refusal);
}

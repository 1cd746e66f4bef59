// Deleting, replacing, renaming and adding scene item chunks: each checks
// everything before it changes anything, then changes the scene as one edit
// of its history, which keeps the sizes in step.

#include <algorithm>
#include <array>
#include <iterator>
#include <string>
#include <unordered_map>

#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "scene/ChunkWriter.h"
#include "scene/Counted.h"
#include "scene/LittleEndian.h"
#include "scene/SceneDocument.h"
#include "scene/SceneEdit.h"

namespace {

// The messages of a refused replace, as the editor has always shown them.
const char kNoData[] = "Данные не введены.";
const char kIncorrectData[] = "Некорректные данные.";
const char kIncorrectCall[] = "Некорректный вызов. OldChunk = NULL";
const char kNamesCoincide[] = "Совпадение имён.";

SceneError Refusal(SceneFault fault, std::string message) { return {fault, std::move(message)}; }

// Whether a name that the replacements give (`renamed`: index and new
// name) is one that another chunk of `list` holds, the list as it will stand.
// Names are compared as views of the chunks' bytes: a whole list copies none.
bool NameClash(const ChunkList& list, const std::unordered_map<int32_t, std::string_view>& renamed) {
  const std::span<const ChunkEntry> entries = list.Entries();
  std::unordered_map<std::string_view, int32_t> holders;
  for (size_t index = 0; index < entries.size(); ++index) {
    const auto replaced = renamed.find(static_cast<int32_t>(index));
    ++holders[replaced != renamed.end() ? replaced->second : ChunkNameView(entries[index].chunk.Bytes())];
  }
  for (const auto& [index, name] : renamed)
    if (holders[name] > 1) return true;
  return false;
}

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

Outcome<int32_t> SceneDocument::Delete(const ChunkRef& chunk) {
  const char* const kIncorrectParam = "qScene2bin.DeleteDNC( const Chunk: PStream ): integer; incorrect param.";
  if (chunk == nullptr) return Refusal(SceneFault::NoChunk, kIncorrectParam);
  const ChunkList* list = ListOfItemType(GetChunkType(chunk.Bytes()));
  if (list == nullptr) return Refusal(SceneFault::NotAnItem, kNotAnItemMessage);
  const int32_t index = list->IndexOf(chunk.id);
  if (index < 0) return Refusal(SceneFault::NotInDocument, kIncorrectParam);
  DeleteChunks(std::span(&chunk.id, 1));
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

Outcome<EditDone> SceneDocument::Replace(const ChunkRef& OldChunk, const Chunk& NewChunk) {
  return Replace(OldChunk, NewChunk, {}, NameCheck::Always);
}

Outcome<EditDone> SceneDocument::SetValue(const ChunkRef& chunk, const Chunk& rebuilt, const std::string& field) {
  if (chunk == nullptr) return Replace(chunk, rebuilt, {}, NameCheck::WhereChanged);
  return Replace(chunk, rebuilt, field + " of " + ChunkName(chunk.Bytes()), NameCheck::WhereChanged);
}

Outcome<EditDone> SceneDocument::Replace(const ChunkRef& OldChunk, const Chunk& NewChunk, std::string what,
                                         NameCheck names) {
  if (!NewChunk) return Refusal(SceneFault::NoChunk, kNoData);
  if (OldChunk == nullptr) return Refusal(SceneFault::NoChunk, kIncorrectCall);
  events_->Replacing(OldChunk.Bytes());
  const uint16_t type = GetChunkType(OldChunk.Bytes());
  if (GetChunkType(NewChunk.Bytes()) != type) return Refusal(SceneFault::WrongType, kIncorrectData);
  ChunkList* list = ListOfItemType(type);
  if (list == nullptr) return Refusal(SceneFault::NotAnItem, kNotAnItemMessage);
  const int32_t index = list->IndexOf(OldChunk.id);
  if (index < 0) return Refusal(SceneFault::NotInDocument, kIncorrectCall);
  EditDone done{{OldChunk.id, NewChunk}, ChunkName(NewChunk.Bytes())};
  if (names == NameCheck::Always || !SameName(OldChunk.Bytes(), NewChunk.Bytes())) {
    const int32_t holder = FindChunkByName(*list, done.name);
    if (holder >= 0 && holder != index) return Refusal(SceneFault::NameTaken, kNamesCoincide);
  }

  SceneEdit edit(what.empty() ? "change of " + std::string(SectionOfItemType(type)->word) + " " + done.name
                              : std::move(what));
  edit.Of(*list).swapped.emplace_back(index, NewChunk);
  Do(std::move(edit));
  events_->Replaced(NewChunk.Bytes());
  return done;
}

Outcome<size_t> SceneDocument::ReplaceChunks(std::span<const ChunkReplacement> replacements, std::string what) {
  ReplacementBatch batch;
  batch.Reserve(replacements.size());
  for (const ChunkReplacement& replacement : replacements) CheckReplacement(batch, replacement.id, replacement.rebuilt);
  return ReplaceChunks(std::span(&batch, 1), std::move(what));
}

void SceneDocument::CheckReplacement(ReplacementBatch& batch, ChunkId id, Chunk rebuilt) const {
  if (batch.refusal_) return;
  const auto refuse = [&batch](SceneFault fault, const char* message) { batch.refusal_ = Refusal(fault, message); };
  if (!rebuilt) return refuse(SceneFault::NoChunk, kNoData);
  const ChunkList* list = ListOfType(GetChunkType(rebuilt.Bytes()));
  if (list == nullptr) return refuse(SceneFault::NotAnItem, kNotAnItemMessage);
  const auto section = static_cast<size_t>(list - sectionLists.data());
  const std::span<const ChunkEntry> entries = list->Entries();
  const auto next = static_cast<size_t>(batch.next_[section]);
  const int32_t index =
      next < entries.size() && entries[next].id == id ? static_cast<int32_t>(next) : list->IndexOf(id);
  if (index < 0) return refuse(SceneFault::NotInDocument, kIncorrectCall);
  batch.next_[section] = index + 1;
  ListEdit::Swaps& swaps = batch.swaps_[section];
  if (swaps.empty()) swaps.reserve(batch.expected_ > batch.count_ ? batch.expected_ - batch.count_ : 1);
  if (!SameName(entries[static_cast<size_t>(index)].chunk.Bytes(), rebuilt.Bytes()))
    batch.renamed_[section].push_back(swaps.size());
  swaps.emplace_back(index, std::move(rebuilt));
  ++batch.count_;
}

Outcome<size_t> SceneDocument::ReplaceChunks(std::span<ReplacementBatch> batches, std::string what) {
  // What spans the batches, in their order: each place once, then the names
  // of the lists where a name changes, as they will stand.
  std::array<std::vector<bool>, kSceneSectionCount> taken;
  std::array<std::unordered_map<int32_t, std::string_view>, kSceneSectionCount> renamed;
  size_t count = 0;
  for (const ReplacementBatch& batch : batches) {
    for (size_t section = 0; section < kSceneSectionCount; ++section) {
      const ListEdit::Swaps& swaps = batch.swaps_[section];
      if (swaps.empty()) continue;
      std::vector<bool>& seen = taken[section];
      if (seen.empty()) seen.resize(sectionLists[section].Entries().size());
      // A chunk given twice would have its second swap undo its first.
      for (const auto& [index, rebuilt] : swaps) {
        if (seen[static_cast<size_t>(index)]) return Refusal(SceneFault::NotInDocument, kIncorrectCall);
        seen[static_cast<size_t>(index)] = true;
      }
      for (const size_t at : batch.renamed_[section])
        renamed[section][swaps[at].first] = ChunkNameView(swaps[at].second.Bytes());
    }
    if (batch.refusal_) return *batch.refusal_;
    count += batch.count_;
  }
  for (size_t section = 0; section < kSceneSectionCount; ++section)
    if (!renamed[section].empty() && NameClash(sectionLists[section], renamed[section]))
      return Refusal(SceneFault::NameTaken, kNamesCoincide);

  SceneEdit edit(std::move(what));
  for (size_t section = 0; section < kSceneSectionCount; ++section) {
    if (taken[section].empty()) continue;
    ListEdit::Swaps& swapped = edit.Of(sectionLists[section]).swapped;
    for (ReplacementBatch& batch : batches) {
      ListEdit::Swaps& swaps = batch.swaps_[section];
      if (swapped.empty())
        swapped = std::move(swaps);
      else
        std::move(swaps.begin(), swaps.end(), std::back_inserter(swapped));
    }
  }
  if (!edit.Empty()) Do(std::move(edit));
  return count;
}

Outcome<EditDone> SceneDocument::Rename(const ChunkRef& chunk, const std::string& newName) {
  if (chunk == nullptr) return Refusal(SceneFault::NoChunk, "no chunk to rename");
  const std::optional<NameSubChunk> place = FindNameSubChunk(chunk.Bytes());
  if (!place) return Refusal(SceneFault::NoNameSubChunk, "it has no name sub-chunk to rewrite");
  return Replace(chunk, RebuildWithName(chunk.Bytes(), place->offset, place->size, newName));
}

Outcome<EditDone> SceneDocument::Add(Chunk chunk) {
  const uint16_t type = GetChunkType(chunk.Bytes());
  ChunkList* list = ListOfItemType(type);
  if (list == nullptr) return Refusal(SceneFault::NotAnItem, kNotAnItemMessage);
  std::string name = ChunkName(chunk.Bytes());
  if (FindChunkByName(*list, name) >= 0) return Refusal(SceneFault::NameTaken, kNamesCoincide);
  const std::string what = std::string(SectionOfItemType(type)->word) + " " + name;
  EditDone done{{NewId(), std::move(chunk)}, std::move(name)};
  SceneEdit edit("add of " + what);
  edit.Of(*list).added.push_back({done.chunk.id, done.chunk.chunk});
  Do(std::move(edit));
  events_->Added(what);
  return done;
}

#include "tools/fuzz/SceneEdits.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "structure/ChunkStructure.h"
#include "structure/ValueEditing.h"
#include "tools/fuzz/ChunkBytes.h"
#include "tools/fuzz/Require.h"
#include "tools/fuzz/RoundTrip.h"

namespace {

// Enough edits for one to build on another's result, few enough to keep a run
// fast; the same for what one edit takes.
constexpr int kMaxEdits = 8;
constexpr size_t kMaxDeleted = 4;
constexpr size_t kMaxImported = 3;
constexpr size_t kMaxNewBytes = 64;
constexpr size_t kMaxName = 8;

using Sections = std::array<const ChunkList*, kSceneSectionCount>;

Sections SectionsOf(const SceneDocument& scene) {
  Sections lists{};
  for (const SceneSection& section : kSceneSections) lists[SectionIndex(section)] = &scene.List(section);
  return lists;
}

// Sizes wrap as the stored 32-bit fields do.
uint32_t LengthOf(const ChunkList& list) {
  uint32_t length = 0;
  for (const ChunkEntry& entry : list.Entries()) length += static_cast<uint32_t>(entry.chunk.Length());
  return length;
}

struct Item {
  ChunkId id;
  const uint8_t* data;  // which bytes: an undo gives back the very chunk
  size_t length;
  bool operator==(const Item&) const = default;
};

// What an edit changes in the document: its chunks, their identities and the
// sizes kept for the writer.
struct State {
  std::array<std::vector<Item>, kSceneSectionCount> lists;
  std::array<uint32_t, kSceneSectionCount> lengths{};  // of each list's chunks
  std::array<int32_t, kSceneSectionCount> sectionSizes{};
  int32_t fileSize = 0;
  bool operator==(const State&) const = default;
};

State StateOf(const SceneDocument& scene) {
  State state;
  const Sections lists = SectionsOf(scene);
  for (size_t at = 0; at < lists.size(); ++at) {
    for (const ChunkEntry& entry : lists[at]->Entries())
      state.lists[at].push_back({entry.id, entry.chunk.Data(), entry.chunk.Length()});
    state.lengths[at] = LengthOf(*lists[at]);
    state.sectionSizes[at] = lists[at]->sectionSize;
  }
  state.fileSize = scene.FileSize();
  return state;
}

// What the file size counts beyond the root header, the head chunks and the
// section sizes. An edit moves the file size and a section size by the same
// amount, so this stays what the load left.
uint32_t FileBeyondSections(const SceneDocument& scene) {
  uint32_t beyond = static_cast<uint32_t>(scene.FileSize()) - kChunkHeaderSize - LengthOf(scene.Heads());
  for (const ChunkList* list : SectionsOf(scene)) beyond -= static_cast<uint32_t>(list->sectionSize);
  return beyond;
}

// The writer leaves out a section without chunks, which the file size still
// counts when it was read empty or emptied by deletions, and writes an empty
// one into a file that would have none. So on a file that loaded with its
// sizes exact, this stays 0.
uint32_t SizeKeptUnwritten(const SceneDocument& scene) {
  uint32_t unwritten = static_cast<uint32_t>(scene.FileSize()) - static_cast<uint32_t>(SavedBytes(scene).size());
  bool anyWritten = false;
  for (const ChunkList* list : SectionsOf(scene)) {
    if (list->Count() == 0) unwritten -= static_cast<uint32_t>(list->sectionSize);
    anyWritten |= list->Count() > 0;
  }
  return anyWritten ? unwritten : unwritten + kChunkHeaderSize;
}

// A section's size moves with its chunks' lengths; a section the file lacked
// (its size below a header's) gets its header counted when a chunk comes in.
void RequireSectionSizes(const State& before, const State& after) {
  for (size_t at = 0; at < kSceneSectionCount; ++at) {
    uint32_t beyond = static_cast<uint32_t>(before.sectionSizes[at]) - before.lengths[at];
    if (before.sectionSizes[at] < static_cast<int32_t>(kChunkHeaderSize) &&
        after.lists[at].size() > before.lists[at].size())
      beyond = kChunkHeaderSize - before.lengths[at];
    Require(static_cast<uint32_t>(after.sectionSizes[at]) - after.lengths[at] == beyond,
            "an edit changed a section size by other than the change in length");
  }
}

// The head list and the sections: every list that gives chunks identities.
std::array<const ChunkList*, kSceneSectionCount + 1> EveryList(const SceneDocument& scene) {
  std::array<const ChunkList*, kSceneSectionCount + 1> lists{&scene.Heads()};
  const Sections sections = SectionsOf(scene);
  std::copy(sections.begin(), sections.end(), lists.begin() + 1);
  return lists;
}

ChunkId HighestIdentity(const SceneDocument& scene) {
  ChunkId highest = 0;
  for (const ChunkList* list : EveryList(scene))
    if (list->Count() > 0) highest = std::max(highest, list->Entries().back().id);
  return highest;
}

// Identities ascend in every list and no two chunks of the document share one.
void RequireIdentities(const SceneDocument& scene) {
  std::vector<ChunkId> all;
  for (const ChunkList* list : EveryList(scene)) {
    ChunkId last = 0;
    for (const ChunkEntry& entry : list->Entries()) {
      Require(entry.id > last, "the identities of a list do not ascend");
      last = entry.id;
      all.push_back(entry.id);
    }
  }
  std::sort(all.begin(), all.end());
  Require(std::adjacent_find(all.begin(), all.end()) == all.end(), "two chunks share an identity");
}

// Where a chunk stands in the document; no list when no section holds it.
struct Place {
  const ChunkList* list = nullptr;
  int32_t index = -1;
  bool operator==(const Place&) const = default;
};

Place PlaceOf(const SceneDocument& scene, ChunkId id) {
  for (const ChunkList* list : SectionsOf(scene))
    if (const int32_t index = list->IndexOf(id); index >= 0) return {list, index};
  return {};
}

// A chunk replaced (renamed too) keeps its identity and its place, and its
// new name is the first of its kind in the list: another chunk's is refused.
// A value set that kept the name (`renamed` false) may keep one that an
// earlier chunk shares.
void RequireReplaced(const SceneDocument& scene, const Place& before, ChunkId id, const EditDone& done,
                     bool renamed = true) {
  Require(before.list != nullptr, "an edit replaced a chunk that the document does not hold");
  Require(done.chunk.id == id && PlaceOf(scene, id) == before, "a replaced chunk left its identity or its place");
  Require(before.list->At(before.index)->chunk == done.chunk.chunk, "a replace gave back other bytes than it put in");
  Require(ChunkName(done.chunk.Bytes()) == done.name, "a replace gave another name than its chunk has");
  if (renamed)
    Require(FindChunkByName(*before.list, done.name) == before.index,
            "a new name is not the first of its kind in the list");
}

// The codes that a chunk coming in has: the four items and one that is none.
constexpr uint16_t kIncomingTypes[] = {kObjectChunk, kDefinitionChunk, kInitScriptChunk, kVisualEffectChunk,
                                       kObjectsSection};

class EditRun {
 public:
  EditRun(TqScene2bin& scene2bin, ScriptedUi& ui, std::string_view input, bool loaded)
      : scene2bin_(scene2bin),
        scene_(scene2bin.Core()),
        ui_(ui),
        choices_(reinterpret_cast<const uint8_t*>(input.data()), input.size()),
        fileBeyond_(FileBeyondSections(scene_)),
        exactSizes_(loaded && SizeKeptUnwritten(scene_) == 0),
        states_{StateOf(scene_)},
        lastId_(HighestIdentity(scene_)) {}

  void Run() {
    Require(!scene_.Modified() && !scene_.CanUndo() && !scene_.CanRedo(), "a load left a history");
    RequireIdentities(scene_);
    const std::string afterLoad = SavedBytes(scene_);
    for (int edit = 0; edit < kMaxEdits && choices_.remaining_bytes() > 0; ++edit) Check(EditOnce());
    const std::string afterEdits = SavedBytes(scene_);

    for (size_t at = states_.size() - 1; at > 0; --at)
      Require(scene_.Undo() && StateOf(scene_) == states_[at - 1], "an undo did not give back the state before");
    Require(!scene_.Undo() && !scene_.CanUndo(), "the history holds more edits than were made");
    Require(!scene_.Modified(), "a scene with every edit undone counts as modified");
    Require(SavedBytes(scene_) == afterLoad, "a scene with every edit undone saves other bytes than as loaded");

    for (size_t at = 1; at < states_.size(); ++at)
      Require(scene_.Redo() && StateOf(scene_) == states_[at], "a redo did not give the state after its edit");
    Require(!scene_.Redo() && !scene_.CanRedo(), "the history redoes more edits than were made");
    Require(scene_.Modified() == (states_.size() > 1), "a scene with every edit redone counts otherwise as modified");
    Require(SavedBytes(scene_) == afterEdits, "a scene with every edit redone saves other bytes than after the edits");
  }

 private:
  // True when the document took the edit.
  bool EditOnce() {
    switch (choices_.ConsumeIntegralInRange(0, 6)) {
      case 0:
        return Delete();
      case 1:
        return Rename();
      case 2:
        return RenameByDialog();
      case 3:
        return Replace();
      case 4:
        return Add();
      case 5:
        return SetValue();
      default:
        return Import();
    }
  }

  // A value typed over a line of a chunk's structure, or bytes over a leaf
  // that no value describes (the text shown, or one from the input): one
  // chunk as the side panel sets it, or a few as one batch, as set does.
  bool SetValue() {
    std::vector<ChunkReplacement> batch;
    std::string field;
    for (size_t count = choices_.ConsumeIntegralInRange<size_t>(1, 3); batch.size() < count;) {
      const ChunkRef chunk = PickChunk();
      if (chunk == nullptr) break;
      std::optional<Chunk> rebuilt = TypedOver(chunk.Bytes(), field);
      if (!rebuilt) break;
      batch.push_back({chunk.id, std::move(*rebuilt)});
    }
    if (batch.empty()) return false;
    if (batch.size() == 1 && choices_.ConsumeBool()) {
      const ChunkRef chunk = scene_.Get(batch.front().id);
      const Place before = PlaceOf(scene_, chunk.id);
      const bool renamed = ChunkNameView(chunk.Bytes()) != ChunkNameView(batch.front().rebuilt.Bytes());
      const Outcome<EditDone> result = scene_.SetValue(chunk, batch.front().rebuilt, field);
      if (result.ok()) RequireReplaced(scene_, before, chunk.id, result.value(), renamed);
      return result.ok();
    }
    // Checked into one batch, or each into one of its own as set's threads check theirs.
    std::vector<ReplacementBatch> apart;
    if (choices_.ConsumeBool())
      for (const ChunkReplacement& replacement : batch)
        scene_.CheckReplacement(apart.emplace_back(), replacement.id, replacement.rebuilt);
    const Outcome<size_t> result = apart.empty() ? scene_.ReplaceChunks(batch, field + " of a batch")
                                                 : scene_.ReplaceChunks(apart, field + " of a batch");
    if (!result.ok()) return false;
    Require(result.value() == batch.size(), "a batch counted other chunks than it was given");
    for (const ChunkReplacement& replacement : batch)
      Require(scene_.Get(replacement.id).chunk == replacement.rebuilt, "a batch left a chunk other than it was given");
    return true;
  }

  // The chunk with a line of it typed over; nullopt where the line refused
  // what was typed. `field` names the line.
  std::optional<Chunk> TypedOver(ByteView chunk, std::string& field) {
    const StructureNode root = DescribeChunk(chunk);
    std::vector<const StructureNode*> lines;
    const auto gather = [&lines](const StructureNode& node, const auto& self) -> void {
      if (node.valueKind != ValueKind::None || BytesEditable(node)) lines.push_back(&node);
      for (const StructureNode& child : node.children) self(child, self);
    };
    gather(root, gather);
    if (lines.empty()) return std::nullopt;
    const StructureNode& line = *lines[choices_.ConsumeIntegralInRange<size_t>(0, lines.size() - 1)];
    const std::string typed = choices_.ConsumeBool() ? line.value : choices_.ConsumeRandomLengthString(kMaxName * 4);
    // Numbers are typed over or added to what the line holds, as += does.
    const Outcome<Chunk> rebuilt = line.valueKind == ValueKind::None ? WithBytes(chunk, root, line, typed)
                                   : choices_.ConsumeBool()          ? WithValueAdded(chunk, root, line, typed)
                                                                     : WithValue(chunk, root, line, typed);
    if (!rebuilt.ok()) return std::nullopt;
    Require(HasFault(root) || !HasFault(DescribeChunk(rebuilt.value().Bytes())),
            "a value typed over a well-formed chunk left a fault");
    Require(
        SameName(chunk, rebuilt.value().Bytes()) == (ChunkNameView(chunk) == ChunkNameView(rebuilt.value().Bytes())),
        "SameName answers other than the names read");
    field = ValueName(line);
    return rebuilt.value();
  }

  static bool HasFault(const StructureNode& node) {
    if (!node.fault.empty()) return true;
    return std::any_of(node.children.begin(), node.children.end(), HasFault);
  }

  // Some of the scene's chunks, some gone, some identities from the input.
  bool Delete() {
    std::vector<ChunkId> ids(choices_.ConsumeIntegralInRange<size_t>(1, kMaxDeleted));
    for (ChunkId& id : ids) id = choices_.ConsumeBool() ? PickChunk().id : choices_.ConsumeIntegral<ChunkId>();
    std::vector<ChunkRef> held;
    for (const ChunkId id : ids)
      if (const ChunkRef chunk = scene_.Get(id); chunk != nullptr) held.push_back(chunk);
    std::sort(held.begin(), held.end(), [](const ChunkRef& a, const ChunkRef& b) { return a.id < b.id; });
    held.erase(std::unique(held.begin(), held.end(), [](const ChunkRef& a, const ChunkRef& b) { return a.id == b.id; }),
               held.end());

    Require(scene_.DeleteChunks(ids) == held.size(), "DeleteChunks counted other chunks than it held");
    for (const ChunkRef& chunk : held) Require(scene_.Get(chunk.id) == nullptr, "a deleted chunk stayed");
    gone_.insert(gone_.end(), held.begin(), held.end());
    return !held.empty();
  }

  bool Rename() {
    const ChunkRef chunk = PickChunk();
    const Place before = PlaceOf(scene_, chunk.id);
    const Outcome<EditDone> result = scene_.Rename(chunk, NewName());
    if (result.ok()) RequireReplaced(scene_, before, chunk.id, result.value());
    return result.ok();
  }

  // The dialog answers with the new name; an empty answer is a cancel.
  bool RenameByDialog() {
    ChunkRef chunk = PickChunk();
    const ChunkRef old = chunk;
    const Place before = PlaceOf(scene_, chunk.id);
    ui_.SetAnswer(NewName());
    std::string newName;
    if (!scene2bin_.RenameChunk(chunk, newName)) {
      Require(chunk.id == old.id && chunk.chunk == old.chunk && newName.empty(),
              "a failed rename changed the chunk or gave a name");
      return false;
    }
    RequireReplaced(scene_, before, old.id, EditDone{chunk, newName});
    return true;
  }

  bool Replace() {
    const ChunkRef old = PickChunk();
    const Place before = PlaceOf(scene_, old.id);
    const Chunk bytes = NewBytes();
    const Outcome<EditDone> result = scene_.Replace(old, bytes);
    if (!result.ok()) return false;
    RequireReplaced(scene_, before, old.id, result.value());
    Require(result.value().chunk.chunk == bytes, "a replace put in other bytes than it was given");
    return true;
  }

  bool Add() {
    const Chunk bytes = NewBytes();
    const Outcome<EditDone> result = scene_.Add(bytes);
    if (!result.ok()) return false;
    const EditDone& added = result.value();
    const Place place = PlaceOf(scene_, added.chunk.id);
    Require(place.list != nullptr && place.index == place.list->Count() - 1 && added.chunk.chunk == bytes,
            "an added chunk is not the last of its section");
    Require(FindChunkByName(*place.list, added.name) == place.index, "an added name was in its section already");
    return true;
  }

  bool Import() {
    std::vector<Chunk> chunks(choices_.ConsumeIntegralInRange<size_t>(1, kMaxImported));
    for (Chunk& chunk : chunks) chunk = NewBytes();
    const size_t countBefore = ChunkCount();
    const Outcome<ImportTally> imported = scene_.Import(chunks);
    if (!imported.ok()) return false;
    const ImportTally& tally = imported.value();
    Require(static_cast<size_t>(tally.replaced + tally.added) == chunks.size(),
            "the chunks imported are not the chunks counted");
    Require(ChunkCount() == countBefore + static_cast<size_t>(tally.added), "an import added other than its tally");
    for (const Chunk& chunk : chunks) Require(Holds(chunk), "the scene does not hold a chunk imported");
    return true;
  }

  size_t ChunkCount() const {
    size_t count = 0;
    for (const ChunkList* list : SectionsOf(scene_)) count += static_cast<size_t>(list->Count());
    return count;
  }

  bool Holds(const Chunk& chunk) const {
    for (const ChunkList* list : SectionsOf(scene_))
      for (const ChunkEntry& entry : list->Entries())
        if (entry.chunk == chunk) return true;
    return false;
  }

  // A chunk of a section, or now and then one that an edit deleted; null
  // when the section chosen has none.
  ChunkRef PickChunk() {
    if (!gone_.empty() && choices_.ConsumeIntegralInRange(0, 7) == 0)
      return gone_[choices_.ConsumeIntegralInRange<size_t>(0, gone_.size() - 1)];
    const ChunkList& list = *SectionsOf(scene_)[choices_.ConsumeIntegralInRange<size_t>(0, kSceneSectionCount - 1)];
    if (list.Count() == 0) return nullptr;
    return list.Ref(choices_.ConsumeIntegralInRange<int32_t>(0, list.Count() - 1));
  }

  // A name from the input, or one that a chunk of the scene has.
  std::string NewName() {
    if (choices_.ConsumeBool())
      if (const ChunkRef chunk = PickChunk()) return GetChunkName(chunk.Bytes());
    return choices_.ConsumeRandomLengthString(kMaxName);
  }

  // Bytes for a chunk to come in: a copy of one of the scene's (its name then
  // clashes), one renamed, or a whole chunk of a type and payload from the
  // input, whose type may be no item's.
  Chunk NewBytes() {
    const int way = choices_.ConsumeIntegralInRange(0, 2);
    if (const ChunkRef chunk = way < 2 ? PickChunk() : nullptr; chunk != nullptr) {
      if (way == 0) return Chunk::CopyOf(chunk.Bytes());
      // Without a name sub-chunk to rename, the input's bytes instead.
      if (const std::optional<NameSubChunk> place = FindNameSubChunk(chunk.Bytes()))
        return RebuildWithName(chunk.Bytes(), place->offset, place->size, NewName());
    }
    const uint16_t type = kIncomingTypes[choices_.ConsumeIntegralInRange<size_t>(0, std::size(kIncomingTypes) - 1)];
    const std::string bytes = ChunkOf(type, choices_.ConsumeRandomLengthString(kMaxNewBytes));
    return Chunk::CopyOf(ByteView(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
  }

  // After each edit: a refused one changed nothing, neither the document nor
  // its history; a taken one is the newest of the history, gave identities
  // never seen before to what came in, and kept the sizes in step.
  void Check(bool taken) {
    const State& before = states_.back();
    State after = StateOf(scene_);
    if (!taken) {
      Require(after == before && scene_.CanUndo() == (states_.size() > 1) && !scene_.CanRedo() &&
                  scene_.Modified() == (states_.size() > 1),
              "a refused edit changed the document or its history");
      return;
    }
    Require(scene_.CanUndo() && !scene_.CanRedo() && scene_.Modified(), "an edit is not the newest of the history");
    RequireIdentities(scene_);
    RequireNewIdentities(before, after);
    RequireSectionSizes(before, after);
    Require(FileBeyondSections(scene_) == fileBeyond_, "an edit changed the file size by other than the section sizes");
    Require(!exactSizes_ || SizeKeptUnwritten(scene_) == 0, "the file size kept is not the length written");
    states_.push_back(std::move(after));
  }

  void RequireNewIdentities(const State& before, const State& after) {
    std::vector<ChunkId> known;
    for (const std::vector<Item>& list : before.lists)
      for (const Item& item : list) known.push_back(item.id);
    std::sort(known.begin(), known.end());
    ChunkId highest = lastId_;
    for (const std::vector<Item>& list : after.lists)
      for (const Item& item : list) {
        if (std::binary_search(known.begin(), known.end(), item.id)) continue;
        Require(item.id > lastId_, "a chunk came in under an identity given before");
        highest = std::max(highest, item.id);
      }
    lastId_ = highest;
  }

  TqScene2bin& scene2bin_;
  SceneDocument& scene_;  // its core
  ScriptedUi& ui_;
  FuzzedDataProvider choices_;
  uint32_t fileBeyond_;
  bool exactSizes_;
  std::vector<State> states_;  // as loaded, then after each edit taken
  std::vector<ChunkRef> gone_;
  ChunkId lastId_;  // the highest identity seen
};

}  // namespace

void EditUndoRedo(TqScene2bin& scene2bin, ScriptedUi& ui, std::string_view input, bool loaded) {
  EditRun(scene2bin, ui, input, loaded).Run();
}

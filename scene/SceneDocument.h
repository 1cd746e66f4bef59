#pragma once
// The scene core: one scene2.bin in memory, every top-level chunk held as the
// exact bytes read, each with an identity of its own; the edits made to it,
// with their history. It shows nothing: an edit that is refused says why in
// its result, and the trace tells what the operations do.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "scene/ByteBlock.h"
#include "scene/ChunkList.h"
#include "scene/ChunkRef.h"
#include "scene/ChunkTypes.h"
#include "scene/DocumentChange.h"
#include "scene/EditHistory.h"
#include "scene/MemoryStream.h"
#include "scene/Stream.h"

struct ImportTally {
  int replaced = 0;
  int added = 0;
  std::vector<ChunkId> chunks;  // those replaced or added, in the order imported
};

// What an edit gives back: the chunk it left (replaced, renamed or added)
// and that chunk's name; or, when it was refused and nothing changed, why.
struct EditResult {
  PStream chunk;
  std::string name;
  std::optional<std::string> refusal;  // the message, as the document words it

  explicit operator bool() const { return !refusal; }
  void Refuse(const std::exception& failure);
};

// Traces a refused edit as the document's operations trace their failures:
// "qScene2bin.OPERATION: " and the message.
void TraceRefusal(const char* operation, const EditResult& result);

class SceneDocument {
 public:
  SceneDocument();
  SceneDocument(const SceneDocument&) = delete;
  SceneDocument& operator=(const SceneDocument&) = delete;
  virtual ~SceneDocument();

  void clear();

  // Loading: true when the whole file was read. Never raises; every failure is
  // traced and the document keeps what was read. The loaded chunks are views
  // of the bytes taken in, which live as long as a handle to one of them
  // does. A load starts a new history.
  bool ReadFromFile(const std::string& FileName);
  // Takes in a copy of the rest of the stream.
  bool ReadFromStream(TStream& stream);
  bool ReadFromBlock(std::unique_ptr<ByteBlock> block);

  // Saving: true when the file was written whole. The file is replaced only
  // then (see TFileReplacement); the chunks never change, and the history
  // takes the scene as saved from then on. `reason` gives
  // the system's reason for a failure, which the trace may word otherwise.
  bool WriteToFile(const std::string& FileName);
  bool WriteToFile(const std::string& FileName, std::string& reason);
  // The bytes that WriteToFile puts into the file. Raises Exception.
  void WriteToStream(TStream& stream) const;

  // The section list of an item chunk type; raises Exception for other types.
  // Read only: every change goes through an edit, which the history keeps.
  const ChunkList& SectionListByChunkID(uint16_t SectionID) const;
  int32_t CountByChunkID(uint16_t SectionID) const;
  // The chunk that `id` names in one of the four sections, or null.
  PStream Get(ChunkId id) const;

  // Editing: each is one entry of the history, and keeps the section sizes
  // and the file size in step. A chunk is found by its identity. Those that
  // give an EditResult show nothing: a refusal is the caller's to report.
  //
  // Puts the bytes of `NewChunk` in the place of `OldChunk`, under its
  // identity, refusing a chunk of another type, one that is not in its list
  // and a name that another chunk of the list has. Traces "OLD" and "NEW"
  // with each one's bytes.
  EditResult Replace(const PStream& OldChunk, const Chunk& NewChunk);
  // Replace with the chunk rebuilt around a new name sub-chunk.
  EditResult Rename(const PStream& chunk, const std::string& newName);
  // Adds a chunk of an item type at the end of its section, refusing a name
  // that a chunk of that section has already; one trace line.
  EditResult Add(Chunk chunk);

  // Raises Exception for a chunk that no list holds, and for one of a type
  // that none holds; gives the index that the chunk had.
  int32_t DeleteDNC(PStream& Chunk);
  // Deletes every chunk that the identities name in the four sections, as
  // one edit; identities not found are passed over. How many went.
  size_t DeleteChunks(std::span<const ChunkId> ids);
  // Puts whole chunks of the four item types into their sections, in order.
  // Each replaces, in its place, the chunk of its section that has its name
  // (the k-th chunk of one name imported replaces the k-th chunk of that
  // name), or is added at the end when there is none or it has no name.
  // One trace line each. Raises Exception, changing nothing, when a chunk is
  // of another type.
  ImportTally ImportDNC(std::vector<Chunk> chunks);

  // The history: each undo and redo traces what it took back or did again.
  bool Undo();
  bool Redo();
  bool CanUndo() const { return history_.CanUndo(); }
  bool CanRedo() const { return history_.CanRedo(); }
  // The newest edit in effect (see EditHistory::Current).
  uint64_t CurrentEdit() const { return history_.Current(); }
  // Whether the scene differs from what was last loaded or saved.
  bool Modified() const { return history_.Modified(); }
  // What the last edit, undo or redo did to the sections; nothing after a
  // load or a clear.
  const DocumentChange& LastChange() const { return lastChange_; }

  const ChunkList& Heads() const { return heads; }
  const ChunkList& Objects() const { return SectionListByChunkID(kObjectChunk); }
  const ChunkList& Definitions() const { return SectionListByChunkID(kDefinitionChunk); }
  const ChunkList& InitScripts() const { return SectionListByChunkID(kInitScriptChunk); }
  const ChunkList& VisualEffects() const { return SectionListByChunkID(kVisualEffectChunk); }
  int32_t FileSize() const { return fileSize; }
  // Why the last load failed, in the words of its trace; empty after a load
  // that read the whole file.
  const std::string& WhyLoadFailed() const { return loadFailure_; }

 private:
  // The list of a section code, or null for a code that is none of the four.
  ChunkList* ListBySectionCode(uint16_t code);
  // SectionListByChunkID, for the edits.
  ChunkList& ListOfItemType(uint16_t SectionID);
  // Appends a chunk that lies in the loaded block, with a new identity.
  void AppendLoaded(ChunkList& list, const uint8_t* bytes, uint32_t length) {
    list.Append(NewId(), block_, ByteView(bytes, length));
  }
  // An identity that no chunk of this document had.
  ChunkId NewId() { return ++lastId_; }
  // Applies the edit as the newest entry of the history.
  void Do(SceneEdit edit);
  // Sets LastChange to what `edit` did in the step just taken.
  void NoteChange(const SceneEdit& edit, DocumentChange::Step step);
  // Reads the scene from `block`, which the document keeps, the bytes of a
  // file of `fileLength` bytes (fewer when its root header was refused);
  // null when the file's bytes could not be had, for `error`. With an
  // arrival, the block's bytes are read in while they are walked.
  class FileArrival;
  bool ReadBlock(std::unique_ptr<ByteBlock> block, uint64_t fileLength, const std::string& error,
                 FileArrival* arrival = nullptr);
  // Lets go of all that a load took in: the lists, the block, the file size.
  void DropLoad();
  // The load's side of the walk of the block that the document holds: the
  // chunks read are views of it.
  class Loading;
  // What the loaded chunks are views of: each handle to one keeps it.
  std::shared_ptr<const ByteBlock> block_;
  ChunkList heads;
  // One list for each section, in the order of kSceneSections.
  std::array<ChunkList, kSceneSectionCount> sectionLists;
  int32_t fileSize = 0;
  ChunkId lastId_ = 0;
  EditHistory history_;
  DocumentChange lastChange_;
  std::string loadFailure_;
};

// Reads the chunk that starts at the stream's position into a new chunk stream
// and leaves the stream just past it. The chunk must lie whole before `end`.
std::unique_ptr<TMemoryStream> ReadChunkFromStream(TStream& stream, uint16_t& type, uint32_t& size, int64_t end);

// Writes the chunk's bytes to the trace as hexadecimal pairs, each followed by
// a space, with no line end.
void DumpChunk(ByteView chunk);

// The chunk with its name sub-chunk (at `offset`, `size` bytes) holding `name`.
Chunk RebuildWithName(ByteView chunk, uint32_t offset, uint32_t size, const std::string& name);

#pragma once
// The scene core: one scene2.bin in memory, every top-level chunk held as the
// exact bytes read, each with an identity of its own; the edits made to it,
// with their history. It shows and writes nothing: each operation that can
// fail says why in its result, and what it does goes to its observer
// (DocumentEvents).

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "scene/ByteBlock.h"
#include "scene/ChunkList.h"
#include "scene/ChunkRef.h"
#include "scene/ChunkTypes.h"
#include "scene/DocumentChange.h"
#include "scene/DocumentEvents.h"
#include "scene/EditHistory.h"
#include "scene/MemoryStream.h"
#include "scene/ReplacementBatch.h"
#include "scene/SceneError.h"
#include "scene/Stream.h"

struct ImportTally {
  int replaced = 0;
  int added = 0;
  std::vector<ChunkId> chunks;  // those replaced or added, in the order imported
};

// What an edit that was made gives back: the chunk it left (replaced,
// renamed or added) and that chunk's name.
struct EditDone {
  ChunkRef chunk;
  std::string name;
};

// One chunk of a batch of replacements: the identity of a chunk of the
// document, and the bytes it is to have, of its type.
struct ChunkReplacement {
  ChunkId id = 0;
  Chunk rebuilt;
};

// The scene's lists as they were at one moment, for a write on another
// thread: copies of the lists, which keep their chunks' bytes alive. The
// bytes never change, so none of them is copied.
struct SceneSnapshot {
  ChunkList heads;
  std::array<ChunkList, kSceneSectionCount> sections;

  // Writes what a save would have written then; raises what the stream
  // raises, and Exception for a scene too large for one file.
  void Write(TStream& stream) const;
};

class SceneDocument {
 public:
  SceneDocument();
  SceneDocument(const SceneDocument&) = delete;
  SceneDocument& operator=(const SceneDocument&) = delete;
  ~SceneDocument();

  // Tells `events` (not owned; null for none) what the document does from now on.
  void SetEvents(DocumentEvents* events) { events_ = events != nullptr ? events : &silent_; }

  void clear();

  // Loading: done when the whole file was read; otherwise the document keeps
  // what was read before the step that failed. The loaded chunks are views
  // of the bytes taken in, which live as long as a handle to one of them
  // does. A load starts a new history.
  Outcome<Done> Load(const std::string& path);
  // Takes in a copy of the rest of the stream.
  Outcome<Done> Load(TStream& stream);
  Outcome<Done> Load(std::unique_ptr<ByteBlock> block);

  // Saving: done when the file was written whole. The file is replaced only
  // then (see TFileReplacement); the chunks never change, and the history
  // takes the scene as saved from then on.
  Outcome<Done> Save(const std::string& path);
  // Writes the bytes that Save puts into the file.
  Outcome<Done> Write(TStream& stream) const;
  // The scene as it is now, to be written later.
  SceneSnapshot Snapshot() const { return {heads, sectionLists}; }

  // The list of a section. Read only: every change goes through an edit,
  // which the history keeps.
  const ChunkList& List(const SceneSection& section) const { return sectionLists[SectionIndex(section)]; }
  // The list of an item chunk type; null for other types.
  const ChunkList* ListOfType(uint16_t type) const;
  // The chunk that `id` names in one of the four sections, or null.
  ChunkRef Get(ChunkId id) const;

  // Editing: each is one entry of the history, and keeps the section sizes
  // and the file size in step. A chunk is found by its identity. A refused
  // edit changes nothing.
  //
  // Puts the bytes of `NewChunk` in the place of `OldChunk`, under its
  // identity, refusing a chunk of another type, one that is not in its list
  // and a name that another chunk of the list has.
  Outcome<EditDone> Replace(const ChunkRef& OldChunk, const Chunk& NewChunk);
  // Replace with one value of the chunk changed, `field` naming it for an
  // undo: "position of crate_0003". A value that leaves the name as it was
  // is no rename: it is taken though an earlier chunk shares the name (as
  // the file may have it), and costs no search of the list.
  Outcome<EditDone> SetValue(const ChunkRef& chunk, const Chunk& rebuilt, const std::string& field);
  // Replace for many chunks as one edit, `what` naming it for an undo
  // ("position of 12 chunks"): refused, changing nothing, when Replace would
  // refuse one of them or a chunk comes twice. Checks names only where one
  // changes, and then in one pass over the list, so that a batch of half a
  // million costs no search of its list for each. How many were replaced.
  Outcome<size_t> ReplaceChunks(std::span<const ChunkReplacement> replacements, std::string what);
  // The same for the replacements checked into `batches`, in their order;
  // an edit made takes their chunks.
  Outcome<size_t> ReplaceChunks(std::span<ReplacementBatch> batches, std::string what);
  // Checks `rebuilt` for the chunk `id` into `batch`, as Replace checks it
  // but for a name that changes, which ReplaceChunks checks. Only reads the
  // document: threads may check batches of their own at once.
  void CheckReplacement(ReplacementBatch& batch, ChunkId id, Chunk rebuilt) const;
  // Replace with the chunk rebuilt around a new name sub-chunk.
  Outcome<EditDone> Rename(const ChunkRef& chunk, const std::string& newName);
  // Adds a chunk of an item type at the end of its section, refusing a name
  // that a chunk of that section has already.
  Outcome<EditDone> Add(Chunk chunk);

  // Deletes one chunk of the four sections; the index that it had.
  Outcome<int32_t> Delete(const ChunkRef& chunk);
  // Deletes every chunk that the identities name in the four sections, as
  // one edit; identities not found are passed over. How many went.
  size_t DeleteChunks(std::span<const ChunkId> ids);
  // Puts whole chunks of the four item types into their sections, in order.
  // Each replaces, in its place, the chunk of its section that has its name
  // (the k-th chunk of one name imported replaces the k-th chunk of that
  // name), or is added at the end when there is none or it has no name.
  // Refused, changing nothing, when a chunk is of another type.
  Outcome<ImportTally> Import(std::vector<Chunk> chunks);
  // An import refused before it began: tells the observer, gives the error back.
  SceneError ImportRefused(SceneError error);
  // Adds copies of whole chunks of the four item types at the ends of their
  // sections, in order, as one edit, and never in another chunk's place: a
  // name that the section holds already, or that a copy before it took, is
  // written anew with the first number free, "crate (2)" (see NumberedNames),
  // where the chunk keeps it in a name sub-chunk (a chunk that keeps it
  // otherwise keeps it as it is). `verb` names the edit: "paste of 3
  // chunks", "duplicate of objects crate". Refused, changing nothing, when a
  // chunk is of another type. The chunks added, in order.
  Outcome<std::vector<ChunkId>> AddCopies(std::vector<Chunk> chunks, const std::string& verb);

  // The history: each undo and redo tells what it took back or did again.
  bool Undo();
  bool Redo();
  bool CanUndo() const { return history_.CanUndo(); }
  bool CanRedo() const { return history_.CanRedo(); }
  std::string NextUndo() const { return history_.NextUndo(); }
  std::string NextRedo() const { return history_.NextRedo(); }
  // The newest edit in effect (see EditHistory::Current).
  uint64_t CurrentEdit() const { return history_.Current(); }
  // Whether the scene differs from what was last loaded or saved.
  bool Modified() const { return history_.Modified(); }
  // The scene differs from its file until it is saved, even after undoing
  // back to where it is now: it was loaded from elsewhere.
  void MarkUnsaved() { history_.MarkUnsaved(); }
  // What the last edit, undo or redo did to the sections; nothing after a
  // load or a clear.
  const DocumentChange& LastChange() const { return lastChange_; }

  const ChunkList& Heads() const { return heads; }
  const ChunkList& Objects() const { return *ListOfType(kObjectChunk); }
  const ChunkList& Definitions() const { return *ListOfType(kDefinitionChunk); }
  const ChunkList& InitScripts() const { return *ListOfType(kInitScriptChunk); }
  const ChunkList& VisualEffects() const { return *ListOfType(kVisualEffectChunk); }
  int32_t FileSize() const { return fileSize; }

 private:
  // Which new names a replace looks up in the list.
  enum class NameCheck : uint8_t {
    Always,        // as ReplaceChunkData always has: the first chunk of the name counts
    WhereChanged,  // a value edit: a name left as it was is no rename
  };
  // Replace, the edit saying `what` it did; empty: "change of objects crate".
  Outcome<EditDone> Replace(const ChunkRef& OldChunk, const Chunk& NewChunk, std::string what, NameCheck names);
  // The list of a section code, or null for a code that is none of the four.
  ChunkList* ListBySectionCode(uint16_t code);
  // The list of an item chunk type, for the edits; null for other types.
  ChunkList* ListOfItemType(uint16_t type);
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
  Outcome<Done> ReadBlock(std::unique_ptr<ByteBlock> block, uint64_t fileLength, FileArrival* arrival = nullptr);
  // Tells the observer, and gives the error back.
  SceneError LoadFailed(SceneError error);
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
  DocumentEvents silent_;
  DocumentEvents* events_ = &silent_;
  DocumentChange lastChange_;
};

// Reads the chunk that starts at the stream's position into a new chunk stream
// and leaves the stream just past it. The chunk must lie whole before `end`.
std::unique_ptr<TMemoryStream> ReadChunkFromStream(TStream& stream, uint16_t& type, uint32_t& size, int64_t end);

// The chunk with its name sub-chunk (at `offset`, `size` bytes) holding `name`.
Chunk RebuildWithName(ByteView chunk, uint32_t offset, uint32_t size, const std::string& name);

#pragma once
// The scene document as the editor knows it, in the words it has always used:
// the scene core with its trace (SceneTrace), and the operations that ask the
// user and show what went wrong, through the dialogs and the message box that
// the user interface gives it.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "scene/DocumentUi.h"
#include "scene/SceneDocument.h"
#include "scene/SceneTrace.h"

// What the editor's operations call a chunk.
using PStream = ChunkRef;

class TqScene2bin final {
 public:
  explicit TqScene2bin(DocumentUi& ui);

  // The scene core, which every read, load, save, undo and redo goes to;
  // the trace hears of each.
  SceneDocument& Core() { return core_; }
  const SceneDocument& Core() const { return core_; }

  // The section list of an item chunk type; raises Exception for other types.
  const ChunkList& SectionListByChunkID(uint16_t SectionID) const;
  int32_t CountByChunkID(uint16_t SectionID) const { return SectionListByChunkID(SectionID).Count(); }
  // Delete; raises Exception for a chunk that no list holds, and for one of
  // a type that none holds. Gives the index that the chunk had.
  int32_t DeleteDNC(PStream& Chunk);
  // Import; raises Exception, changing nothing, when a chunk is of another type.
  ImportTally ImportDNC(std::vector<Chunk> chunks);
  // Replace, with a box and a trace line for a refusal. On success OldChunk
  // names the chunk with its new bytes, under its identity, and NewName
  // holds its name; on a refusal NewName is empty.
  bool ReplaceChunkData(PStream& OldChunk, PStream NewChunk, std::string& NewName);
  // Asks for the new name through the text-input dialog, then rebuilds the
  // chunk with it through ReplaceChunkData. A name refused (one that another
  // chunk holds) is asked for again, the dialog offering what was typed.
  bool RenameChunk(PStream& Chunk, std::string& newName);
  // SetValue: `rebuilt` in the place of `Chunk`, the edit named for `field`.
  // A refusal (a name another chunk holds) shows its box and trace line as
  // a rename's, and leaves `Chunk` as it was.
  bool SetChunkValue(PStream& Chunk, const ::Chunk& rebuilt, const std::string& field);
  // Add; `name` is its name then. A refusal shows its box and trace line as
  // ReplaceChunkData's. The chunk added, or null.
  PStream AddChunk(Chunk chunk, std::string& name);

 private:
  // The edit that was made; or, for a refusal, nothing, once the box has
  // shown it and the trace has a line for `operation`.
  std::optional<EditDone> Shown(Outcome<EditDone> edited, const char* operation);
  // Sets `chunk` and `name` to what the edit left; for a refusal, empties
  // `name` and keeps `chunk`. Whether the edit was made.
  static bool Took(std::optional<EditDone> done, PStream& chunk, std::string& name);

  // Made before the core and gone after it, so that it hears of the core's last clear.
  SceneTrace trace_;
  SceneDocument core_;
  DocumentUi& ui_;
  std::unique_ptr<TStringDialogBase> stringDialog_;
};

std::unique_ptr<TqScene2bin> NewScene2bin(DocumentUi& ui);

// The chunk's name; empty, with a trace line, when it can't be read.
std::string GetChunkName(ByteView chunk);

// Where an object's or a definition's name sub-chunk lies. Raises Exception.
void GetChunkNameOffsSize(ByteView chunk, uint32_t& offset, uint32_t& size);

#pragma once
// The scene document as the editor knows it: the scene core with the
// operations that ask the user and show what went wrong, through the dialogs
// and the message box that the user interface gives it.

#include <memory>
#include <string>

#include "scene/DocumentUi.h"
#include "scene/SceneDocument.h"

class TqScene2bin final : public SceneDocument {
 public:
  explicit TqScene2bin(DocumentUi& ui);

  // Replace, with a box and a trace line for a refusal. On success OldChunk
  // names the chunk with its new bytes, under its identity, and NewName
  // holds its name; on a refusal NewName is empty.
  bool ReplaceChunkData(PStream& OldChunk, PStream NewChunk, std::string& NewName);
  // Asks for the new name through the text-input dialog, then rebuilds the
  // chunk with it through ReplaceChunkData.
  bool RenameChunk(PStream& Chunk, std::string& newName);
  // Add; `name` is its name then. A refusal shows its box and trace line as
  // ReplaceChunkData's. The chunk added, or null.
  PStream AddChunk(Chunk chunk, std::string& name);

 private:
  DocumentUi& ui_;
  std::unique_ptr<TStringDialogBase> stringDialog_;
};

std::unique_ptr<TqScene2bin> NewScene2bin(DocumentUi& ui);

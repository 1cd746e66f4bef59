// The document's operations that ask the user and show refusals, over the
// scene core's edits.

#include "scene/qScene2bin.h"

#include "scene/ChunkCatalogue.h"
#include "scene/Exception.h"
#include "scene/Trace.h"

TqScene2bin::TqScene2bin(DocumentUi& ui) : ui_(ui), stringDialog_(ui.NewStringDialog()) {}

std::unique_ptr<TqScene2bin> NewScene2bin(DocumentUi& ui) { return std::make_unique<TqScene2bin>(ui); }

bool TqScene2bin::ReplaceChunkData(PStream& OldChunk, PStream NewChunk, std::string& NewName) {
  const EditResult replaced = Replace(OldChunk, NewChunk.chunk);
  NewName = replaced.name;
  if (!replaced) {
    ui_.ShowMessage(*replaced.refusal);
    TraceRefusal("ReplaceChunkData", replaced);
    return false;
  }
  OldChunk = replaced.chunk;
  return true;
}

PStream TqScene2bin::AddChunk(Chunk chunk, std::string& name) {
  const EditResult added = Add(std::move(chunk));
  name = added.name;
  if (!added) {
    ui_.ShowMessage(*added.refusal);
    TraceRefusal("AddChunk", added);
  }
  return added.chunk;
}

bool TqScene2bin::RenameChunk(PStream& Chunk, std::string& newName) {
  ::Chunk rebuilt;
  try {
    if (Chunk == nullptr) throw Exception(Exception::Code::Invalid, "no chunk to rename");
    uint32_t offset = 0;
    uint32_t size = 0;
    GetChunkNameOffsSize(Chunk.Bytes(), offset, size);
    newName = stringDialog_->Execute("Rename", GetChunkName(Chunk.Bytes()));
    if (newName.empty()) throw Exception(Exception::Code::Absent, "qScene2bin.RenameChunk: newName=Null");
    rebuilt = RebuildWithName(Chunk.Bytes(), offset, size, newName);
  } catch (const std::exception& failure) {
    Trace("qScene2bin.RenameChunk: " + FailureMessage(failure));
    newName.clear();
    return false;
  }
  return ReplaceChunkData(Chunk, PStream(std::move(rebuilt)), newName);
}

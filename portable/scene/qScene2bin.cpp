// The document's operations in the words the editor has always used, over the
// scene core: results become boxes, trace lines and Exceptions here.

#include "scene/qScene2bin.h"

#include "scene/ChunkCatalogue.h"
#include "scene/Exception.h"
#include "scene/Trace.h"
#include "scene/Windows1251.h"

namespace {

// A chunk of no item type is "absent" from every section list.
Exception Raised(const SceneError& error) {
  const auto code = error.fault == SceneFault::NotAnItem ? Exception::Code::Absent : Exception::Code::Invalid;
  return Exception(code, error.message);
}

}  // namespace

TqScene2bin::TqScene2bin(DocumentUi& ui) : ui_(ui), stringDialog_(ui.NewStringDialog()) { core_.SetEvents(&trace_); }

std::unique_ptr<TqScene2bin> NewScene2bin(DocumentUi& ui) { return std::make_unique<TqScene2bin>(ui); }

const ChunkList& TqScene2bin::SectionListByChunkID(uint16_t SectionID) const {
  const ChunkList* list = core_.ListOfType(SectionID);
  if (list == nullptr) throw Exception(Exception::Code::Absent, kNotAnItemMessage);
  return *list;
}

int32_t TqScene2bin::DeleteDNC(PStream& Chunk) {
  const Outcome<int32_t> deleted = core_.Delete(Chunk);
  if (!deleted.ok()) throw Raised(deleted.failure());
  Chunk = nullptr;
  return deleted.value();
}

ImportTally TqScene2bin::ImportDNC(std::vector<Chunk> chunks) {
  Outcome<ImportTally> imported = core_.Import(std::move(chunks));
  if (!imported.ok()) throw Raised(imported.failure());
  return std::move(imported.value());
}

std::optional<EditDone> TqScene2bin::Shown(Outcome<EditDone> edited, const char* operation) {
  if (edited.ok()) return std::move(edited.value());
  ui_.ShowMessage(edited.failure().message);
  TraceRefusal(operation, edited.failure());
  return std::nullopt;
}

bool TqScene2bin::ReplaceChunkData(PStream& OldChunk, PStream NewChunk, std::string& NewName) {
  return Took(Shown(core_.Replace(OldChunk, NewChunk.chunk), "ReplaceChunkData"), OldChunk, NewName);
}

PStream TqScene2bin::AddChunk(Chunk chunk, std::string& name) {
  PStream added;
  Took(Shown(core_.Add(std::move(chunk)), "AddChunk"), added, name);
  return added;
}

bool TqScene2bin::RenameChunk(PStream& Chunk, std::string& newName) {
  std::string offered;
  try {
    if (Chunk == nullptr) throw Exception(Exception::Code::Invalid, "no chunk to rename");
    uint32_t offset = 0;
    uint32_t size = 0;
    GetChunkNameOffsSize(Chunk.Bytes(), offset, size);
    offered = GetChunkName(Chunk.Bytes());
  } catch (const std::exception& failure) {
    Trace("qScene2bin.RenameChunk: " + Windows1251FromUtf8(FailureMessage(failure)));
    newName.clear();
    return false;
  }
  for (;;) {
    newName = stringDialog_->Execute("Rename", offered);
    if (newName.empty()) {
      Trace("qScene2bin.RenameChunk: qScene2bin.RenameChunk: newName=Null");
      return false;
    }
    // A refused rename is a refused replace, and says so; a name taken is
    // the user's to mend, with the text typed.
    Outcome<EditDone> renamed = core_.Rename(Chunk, newName);
    const bool nameTaken = !renamed.ok() && renamed.failure().fault == SceneFault::NameTaken;
    offered = newName;
    if (Took(Shown(std::move(renamed), "ReplaceChunkData"), Chunk, newName)) return true;
    if (!nameTaken) return false;
  }
}

bool TqScene2bin::SetChunkValue(PStream& Chunk, const ::Chunk& rebuilt, const std::string& field) {
  std::string name;
  return Took(Shown(core_.SetValue(Chunk, rebuilt, field), "ReplaceChunkData"), Chunk, name);
}

bool TqScene2bin::Took(std::optional<EditDone> done, PStream& chunk, std::string& name) {
  if (!done) {
    name.clear();
    return false;
  }
  chunk = std::move(done->chunk);
  name = std::move(done->name);
  return true;
}

std::string GetChunkName(ByteView chunk) {
  Outcome<std::string> read = ReadChunkName(chunk);
  if (read.ok()) return std::move(read.value());
  Trace("qScene2bin.GetChunkName: " + read.failure().message);
  return {};
}

void GetChunkNameOffsSize(ByteView chunk, uint32_t& offset, uint32_t& size) {
  const SceneSection* section = SectionOfItemType(GetChunkType(chunk));
  if (section == nullptr || !section->NamedBySubChunk())
    throw Exception(Exception::Code::Invalid, "GetChunkNameOffsSize: unk chunk type");
  if (!FindSubChunk(chunk, section->nameChunk, offset, size))
    throw Exception(Exception::Code::Absent, "GetChunkNameOffsSize: NAME=NULL");
}

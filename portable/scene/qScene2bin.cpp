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

bool TqScene2bin::ReplaceChunkData(PStream& OldChunk, PStream NewChunk, std::string& NewName) {
  const Outcome<EditDone> replaced = core_.Replace(OldChunk, NewChunk.chunk);
  if (!replaced.ok()) {
    NewName.clear();
    ui_.ShowMessage(replaced.failure().message);
    TraceRefusal("ReplaceChunkData", replaced.failure());
    return false;
  }
  OldChunk = replaced.value().chunk;
  NewName = replaced.value().name;
  return true;
}

PStream TqScene2bin::AddChunk(Chunk chunk, std::string& name) {
  const Outcome<EditDone> added = core_.Add(std::move(chunk));
  if (!added.ok()) {
    name.clear();
    ui_.ShowMessage(added.failure().message);
    TraceRefusal("AddChunk", added.failure());
    return nullptr;
  }
  name = added.value().name;
  return added.value().chunk;
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
    Trace("qScene2bin.RenameChunk: " + Windows1251FromUtf8(FailureMessage(failure)));
    newName.clear();
    return false;
  }
  return ReplaceChunkData(Chunk, PStream(std::move(rebuilt)), newName);
}

void GetChunkName(ByteView chunk, std::string& name) {
  Outcome<std::string> read = ReadChunkName(chunk);
  name = read.ok() ? std::move(read.value()) : std::string();
  if (!read.ok()) Trace("qScene2bin.GetChunkName: " + read.failure().message);
}

std::string GetChunkName(ByteView chunk) {
  std::string name;
  GetChunkName(chunk, name);
  return name;
}

void GetChunkNameOffsSize(ByteView chunk, uint32_t& offset, uint32_t& size) {
  const SceneSection* section = SectionOfItemType(GetChunkType(chunk));
  if (section == nullptr || !section->NamedBySubChunk())
    throw Exception(Exception::Code::Invalid, "GetChunkNameOffsSize: unk chunk type");
  if (!FindSubChunk(chunk, section->nameChunk, offset, size))
    throw Exception(Exception::Code::Absent, "GetChunkNameOffsSize: NAME=NULL");
}

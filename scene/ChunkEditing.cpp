// Deleting, replacing and renaming scene item chunks. Every change adds the
// change in length to its list's section size and to the file size alike.

#include <algorithm>
#include <string>

#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "scene/Exception.h"
#include "scene/Hex.h"
#include "scene/SizeBookkeeping.h"
#include "scene/Trace.h"
#include "scene/qScene2bin.h"

namespace {

// The four messages of ReplaceChunkData, in the Windows-1251 code page.
const char kNoData[] = "\xC4\xE0\xED\xED\xFB\xE5 \xED\xE5 \xE2\xE2\xE5\xE4\xE5\xED\xFB.";
const char kIncorrectData[] = "\xCD\xE5\xEA\xEE\xF0\xF0\xE5\xEA\xF2\xED\xFB\xE5 \xE4\xE0\xED\xED\xFB\xE5.";
const char kIncorrectCall[] = "\xCD\xE5\xEA\xEE\xF0\xF0\xE5\xEA\xF2\xED\xFB\xE9 \xE2\xFB\xE7\xEE\xE2. OldChunk = NULL";
const char kNamesCoincide[] = "\xD1\xEE\xE2\xEF\xE0\xE4\xE5\xED\xE8\xE5 \xE8\xEC\xB8\xED.";

// A failure of ReplaceChunkData with a code that makes it destroy the new
// chunk; with any other, the chunk stays the caller's.
bool DestroysNewChunk(const std::exception& failure) {
  const auto* own = dynamic_cast<const Exception*>(&failure);
  return own != nullptr && own->Is(Exception::Code::Invalid);
}

// The chunk with its name sub-chunk (at `offset`, `size` bytes) holding `name`:
// the old bytes up to that sub-chunk's type, the new size and name, then the
// old bytes behind the old name. A name size that runs past the chunk's end
// leaves nothing behind it.
std::unique_ptr<TMemoryStream> RebuildWithName(const TMemoryStream& chunk, uint32_t offset, uint32_t size,
                                               const std::string& name) {
  const uint8_t* old = chunk.Data();
  const size_t oldLength = chunk.Length();
  const auto tail = static_cast<size_t>(std::min<uint64_t>(static_cast<uint64_t>(offset) + size, oldLength));
  auto rebuilt = std::make_unique<TMemoryStream>();
  rebuilt->Write(old, offset + 2);
  rebuilt->WriteU32(static_cast<uint32_t>(name.size() + kChunkHeaderSize));
  rebuilt->Write(name.data(), name.size());
  rebuilt->Write(old + tail, oldLength - tail);
  rebuilt->Seek(2, TStream::Origin::Begin);
  rebuilt->WriteU32(static_cast<uint32_t>(rebuilt->Length()));
  return rebuilt;
}

void TraceDump(const char* label, const TMemoryStream& chunk) {
  Trace(label);
  DumpChunk(chunk);
  Trace("");
}

}  // namespace

void DumpChunk(const TMemoryStream& chunk) {
  std::string text;
  text.reserve(chunk.Length() * 3);
  for (size_t i = 0; i < chunk.Length(); ++i) text += HexUpper(chunk.Data()[i], 2) + ' ';
  TraceWrite(text);
}

int32_t TqScene2bin::DeleteDNC(PStream& Chunk) {
  const char* const kIncorrectParam = "qScene2bin.DeleteDNC( const Chunk: PStream ): integer; incorrect param.";
  if (Chunk == nullptr) throw Exception(Exception::Code::Invalid, kIncorrectParam);
  ChunkList& list = SectionListByChunkID(GetChunkType(*Chunk));
  const int32_t index = list.IndexOf(Chunk);
  if (index < 0) throw Exception(Exception::Code::Invalid, kIncorrectParam);
  const auto length = static_cast<int64_t>(Chunk->Length());
  AddToSize(fileSize, -length);
  AddToSize(list.sectionSize, -length);
  list.Remove(Chunk);
  Chunk = nullptr;
  return index;
}

bool TqScene2bin::ReplaceChunkData(PStream& OldChunk, PStream NewChunk, std::string& NewName) {
  std::unique_ptr<TMemoryStream> taken(NewChunk);
  const bool replaced = ReplaceChunkData(OldChunk, taken, NewName);
  // What was neither taken nor destroyed stays the caller's.
  static_cast<void>(taken.release());
  return replaced;
}

bool TqScene2bin::ReplaceChunkData(PStream& OldChunk, std::unique_ptr<TMemoryStream>& NewChunk, std::string& NewName) {
  try {
    if (!NewChunk) throw Exception(Exception::Code::NoData, kNoData);
    if (OldChunk == nullptr) throw Exception(Exception::Code::Invalid, kIncorrectCall);
    TraceDump("OLD", *OldChunk);
    // A chunk that a list holds, or has made and let go, belongs to a scene:
    // refuse it, and with a code that does not destroy it.
    if (ChunkList::BelongsToAList(NewChunk.get()))
      throw Exception(Exception::Code::AlreadyHeld,
                      "qScene2bin.ReplaceChunkData: the new chunk is one the scene already holds");
    const uint16_t type = GetChunkType(*OldChunk);
    if (GetChunkType(*NewChunk) != type) throw Exception(Exception::Code::Invalid, kIncorrectData);
    ChunkList& list = SectionListByChunkID(type);
    const int32_t index = list.IndexOf(OldChunk);
    if (index < 0) throw Exception(Exception::Code::Invalid, kIncorrectCall);
    GetChunkName(*NewChunk, NewName);
    const int32_t holder = FindChunkByName(list, NewName);
    if (holder >= 0 && holder != index) throw Exception(Exception::Code::Invalid, kNamesCoincide);

    const int64_t delta = static_cast<int64_t>(NewChunk->Length()) - static_cast<int64_t>(OldChunk->Length());
    AddToSize(list.sectionSize, delta);
    AddToSize(fileSize, delta);
    OldChunk = NewChunk.get();
    list.ReplaceAt(index, std::move(NewChunk));
    TraceDump("NEW", *OldChunk);
    return true;
  } catch (const std::exception& failure) {
    if (DestroysNewChunk(failure)) NewChunk.reset();
    const std::string message = FailureMessage(failure);
    ui_.ShowMessage(message);
    NewName.clear();
    Trace("qScene2bin.ReplaceChunkData: " + message);
    return false;
  }
}

PStream TqScene2bin::AppendToSection(ChunkList& list, std::unique_ptr<TMemoryStream> chunk) {
  if (list.sectionSize < static_cast<int32_t>(kChunkHeaderSize)) {
    AddToSize(fileSize, static_cast<int64_t>(kChunkHeaderSize) - list.sectionSize);
    list.sectionSize = kChunkHeaderSize;
  }
  const auto length = static_cast<int64_t>(chunk->Length());
  AddToSize(list.sectionSize, length);
  AddToSize(fileSize, length);
  PStream added = chunk.get();
  list.Append(std::move(chunk));
  return added;
}

PStream TqScene2bin::AddChunk(std::unique_ptr<TMemoryStream> chunk, std::string& name) {
  try {
    const uint16_t type = GetChunkType(*chunk);
    ChunkList& list = SectionListByChunkID(type);
    GetChunkName(*chunk, name);
    if (FindChunkByName(list, name) >= 0) throw Exception(Exception::Code::Invalid, kNamesCoincide);
    PStream added = AppendToSection(list, std::move(chunk));
    Trace("qScene2bin.AddChunk: added " + std::string(SectionOfItemType(type)->word) + " " + name);
    return added;
  } catch (const std::exception& failure) {
    const std::string message = FailureMessage(failure);
    ui_.ShowMessage(message);
    name.clear();
    Trace("qScene2bin.AddChunk: " + message);
    return nullptr;
  }
}

bool TqScene2bin::RenameChunk(PStream& Chunk, std::string& newName) {
  std::unique_ptr<TMemoryStream> rebuilt;
  try {
    if (Chunk == nullptr) throw Exception(Exception::Code::Invalid, "no chunk to rename");
    uint32_t offset = 0;
    uint32_t size = 0;
    GetChunkNameOffsSize(*Chunk, offset, size);
    newName = stringDialog_->Execute("Rename", GetChunkName(*Chunk));
    if (newName.empty()) throw Exception(Exception::Code::Absent, "qScene2bin.RenameChunk: newName=Null");
    rebuilt = RebuildWithName(*Chunk, offset, size, newName);
  } catch (const std::exception& failure) {
    Trace("qScene2bin.RenameChunk: " + FailureMessage(failure));
    newName.clear();
    return false;
  }
  return ReplaceChunkData(Chunk, rebuilt, newName);
}

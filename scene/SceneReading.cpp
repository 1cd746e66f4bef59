// Loading a scene2.bin: the root header, the head chunks, then one section at
// a time. Every size from the file is checked against what is really there
// before it is used to step, read or allocate.

#include <algorithm>
#include <optional>
#include <span>
#include <string>

#include "os/FileSystem.h"
#include "scene/ByteBlock.h"
#include "scene/ChunkTypes.h"
#include "scene/Exception.h"
#include "scene/Hex.h"
#include "scene/LittleEndian.h"
#include "scene/MemoryStream.h"
#include "scene/RootHeader.h"
#include "scene/SceneFileBytes.h"
#include "scene/Trace.h"
#include "scene/qScene2bin.h"

namespace {

std::string Offset(int64_t position) { return std::to_string(position); }

// A chunk's header must lie whole between `start` and `end`...
[[noreturn]] void HeaderCutShort(int64_t start) {
  throw Exception(Exception::Code::Invalid,
                  "qScene2bin.ReadChunkFromStream: chunk header cut short at offset " + Offset(start));
}

void CheckHeaderRoom(int64_t start, int64_t end) {
  if (start < 0 || end - start < static_cast<int64_t>(kChunkHeaderSize)) HeaderCutShort(start);
}

// ...and then the whole chunk that it announces. (The checks are apart from
// their failures so that a walk of many chunks keeps them inline.)
[[noreturn]] void WrongChunkSize(uint16_t type, uint32_t size, int64_t start, int64_t left) {
  if (size < kChunkHeaderSize)
    throw Exception(Exception::Code::Invalid, "qScene2bin.ReadChunkFromStream: chunk " + HexUpper(type, 4) +
                                                  " at offset " + Offset(start) + " has size " + std::to_string(size) +
                                                  ", less than its header");
  throw Exception(Exception::Code::Invalid, "qScene2bin.ReadChunkFromStream: chunk " + HexUpper(type, 4) +
                                                " at offset " + Offset(start) + " has size " + std::to_string(size) +
                                                " but only " + std::to_string(left) + " bytes are left");
}

void CheckChunkSize(uint16_t type, uint32_t size, int64_t start, int64_t end) {
  const int64_t left = end - start;
  if (size < kChunkHeaderSize || size > left) WrongChunkSize(type, size, start, left);
}

}  // namespace

std::unique_ptr<TMemoryStream> ReadChunkFromStream(TStream& stream, uint16_t& type, uint32_t& size, int64_t end) {
  const int64_t start = stream.Position();
  CheckHeaderRoom(start, end);
  uint8_t header[kChunkHeaderSize];
  stream.Read(header, sizeof header);
  type = ReadU16LE(header);
  size = ReadU32LE(header + 2);
  CheckChunkSize(type, size, start, end);
  stream.Seek(-static_cast<int64_t>(kChunkHeaderSize), TStream::Origin::Current);
  auto chunk = std::make_unique<TMemoryStream>();
  if (chunk->AppendFrom(stream, size) != size)
    throw Exception(Exception::Code::Invalid,
                    "qScene2bin.ReadChunkFromStream: file ended inside chunk at offset " + Offset(start));
  return chunk;
}

const uint8_t* ReadChunkView(TMemoryStream& block, uint16_t& type, uint32_t& size, int64_t end) {
  const int64_t start = block.Position();
  end = std::min(end, block.Size());
  CheckHeaderRoom(start, end);
  const uint8_t* chunk = block.Data() + start;
  type = ReadU16LE(chunk);
  size = ReadU32LE(chunk + 2);
  CheckChunkSize(type, size, start, end);
  // Each header of a walk is found only from the one before, so their reads
  // would wait on memory one after another. Asking for the bytes a few
  // kilobytes ahead of the walk, as many as this chunk moves it on, has them
  // come in together instead. (Not in a helper of its own: GCC judged such a
  // helper to have no effect and dropped its calls.)
  constexpr int64_t kAhead = 4096;
  constexpr int64_t kLine = 64;
  const int64_t fetched = std::min(start + kAhead + std::min<int64_t>(size, kAhead), block.Size());
  for (int64_t ahead = start + kAhead; ahead < fetched; ahead += kLine) __builtin_prefetch(block.Data() + ahead);
  block.Seek(size, TStream::Origin::Current);
  return chunk;
}

bool TqScene2bin::ReadHeadFromStream(TMemoryStream& stream, uint64_t fileLength) {
  try {
    uint8_t bytes[kRootHeaderSize] = {};
    const RootHeader header = ReadRootHeader(std::span(bytes, stream.Read(bytes, sizeof bytes)));
    if (header.signature) fileSize = header.rootSize;
    if (std::optional<Exception> fault = RootHeaderFault(header, fileLength)) throw *fault;
    uint16_t next = 0;
    do {
      if (stream.Position() >= stream.Size())
        throw Exception(Exception::Code::Absent, "qScene2bin.ReadHeadFromStream: EOF");
      uint16_t type = 0;
      uint32_t size = 0;
      const uint8_t* chunk = ReadChunkView(stream, type, size, stream.Size());
      Trace("TqScene2bin.ReadHeadFromStream: " + HexUpper(type, 4) + " - done");
      AppendLoaded(heads, chunk, size);
      if (stream.Position() >= stream.Size())
        throw Exception(Exception::Code::Absent, "qScene2bin.ReadHeadFromStream: EOF");
      uint8_t peek[2] = {};
      const size_t peeked = stream.Read(peek, sizeof peek);
      stream.Seek(-static_cast<int64_t>(peeked), TStream::Origin::Current);
      next = ReadU16LE(peek);
    } while (SectionByCode(next) == nullptr);
    return true;
  } catch (const std::exception& failure) {
    Trace(FailureMessage(failure));
    ClearChunkList(heads);
    return false;
  }
}

bool TqScene2bin::ReadSectionsFromStream(TMemoryStream& stream) {
  ChunkList* list = nullptr;
  try {
    const uint16_t code = stream.ReadU16();
    const int64_t begin = stream.Position();
    Trace("qScene2bin.ReadSectionsFromStream BeginOffs: " + std::to_string(begin));
    const std::string offs = HexUpper(static_cast<uint64_t>(begin), 8);  // a position is never negative
    list = ListBySectionCode(code);
    if (list == nullptr)
      throw Exception(Exception::Code::Invalid, "qScene2bin.ReadSectionsFromStream: Unknown section. offs: " + offs);
    if (stream.Size() - begin < 4)
      throw Exception(Exception::Code::Invalid,
                      "qScene2bin.ReadSectionsFromStream: section header cut short. offs: " + offs);
    const auto sectionSize = static_cast<int32_t>(stream.ReadU32());
    Trace("qScene2bin.ReadSectionsFromStream sectionSize: " + std::to_string(sectionSize));
    list->sectionSize = sectionSize;
    const int64_t end = stream.Position() - static_cast<int64_t>(kChunkHeaderSize) + sectionSize;
    if (end > stream.Size())
      throw Exception(Exception::Code::Invalid, "qScene2bin.ReadSectionsFromStream: section of size " +
                                                    std::to_string(sectionSize) +
                                                    " runs past the end of the file. offs: " + offs);
    while (stream.Position() < end) {
      uint16_t type = 0;
      uint32_t size = 0;
      const uint8_t* chunk = ReadChunkView(stream, type, size, end);
      AppendLoaded(*list, chunk, size);
    }
    Trace("qScene2bin.ReadSectionsFromStream - done");
    return true;
  } catch (const std::exception& failure) {
    Trace(FailureMessage(failure));
    if (list != nullptr) ClearChunkList(*list);
    return false;
  }
}

bool TqScene2bin::ReadFromFile(const std::string& FileName) {
  clear();
  os::Result<std::FILE*> opened = os::OpenForReading(FileName);
  // A folder, a device or a pipe is never read: a pipe could block for ever.
  if (!opened.ok() && opened.failure().notAFile) {
    Trace("qScene2bin.ReadFromFile: " + opened.reason());
    return false;
  }
  // A file that can't be opened reads as an empty one: it fails at the signature.
  if (!opened.ok()) return ReadBlock(BlockOfFile(os::FileImage()), 0, "");
  os::Result<SceneFileBytes> read = ReadSceneFile(opened.value());
  if (!read.ok()) return ReadBlock(nullptr, 0, read.reason());
  const uint64_t length = read.value().length;
  return ReadBlock(BlockOfFile(std::move(read.value().image)), length, "");
}

bool TqScene2bin::ReadFromStream(TStream& stream) {
  std::unique_ptr<ByteBlock> block;
  std::string error;
  try {
    block = BlockCopiedFrom(stream);
  } catch (const std::exception& failure) {
    error = FailureMessage(failure);
  }
  clear();
  const uint64_t length = block ? block->Size() : 0;
  return ReadBlock(std::move(block), length, error);
}

bool TqScene2bin::ReadFromBlock(std::unique_ptr<ByteBlock> block) {
  clear();
  const uint64_t length = block ? block->Size() : 0;
  return ReadBlock(std::move(block), length, "");
}

bool TqScene2bin::ReadBlock(std::unique_ptr<ByteBlock> block, uint64_t fileLength, const std::string& error) {
  try {
    Trace("qScene2bin.ReadFromFile: file open");
    if (!block) throw Exception(Exception::Code::Invalid, "cannot read the file: " + error);
    block_ = std::move(block);
    TMemoryStream stream = TMemoryStream::ViewOf(block_->Data(), block_->Size());
    stream.Seek(0, TStream::Origin::Begin);
    if (!ReadHeadFromStream(stream, fileLength))
      throw Exception(Exception::Code::Invalid, "qScene2bin.ReadFromFile: cant read header");
    Trace("qScene2bin.ReadFromFile: reading head - done");
    while (static_cast<int64_t>(fileSize) > stream.Position() + 2)
      if (!ReadSectionsFromStream(stream))
        throw Exception(Exception::Code::Invalid, "qScene2bin.ReadFromFile: cant read section");
    // Sections after the root's end would be dropped by the next save.
    const int64_t unread = stream.Size() - std::max<int64_t>(fileSize, stream.Position());
    if (unread > 0)
      throw Exception(Exception::Code::Invalid, std::to_string(unread) + " bytes past the scene's size were not read");
    Trace("qScene2bin.ReadFromFile: reading sections - done");
    for (const SceneSection& section : kSceneSections)
      if (section.countLabel != nullptr)
        Trace(section.countLabel + std::to_string(sectionLists[SectionIndex(section)].Count()));
    return true;
  } catch (const std::exception& failure) {
    Trace("qScene2bin.ReadFromFile: " + FailureMessage(failure));
    return false;
  }
}

// Loading a scene2.bin: the root header, the head chunks, then one section at
// a time. Every size from the file is checked against what is really there
// before it is used to step, read or allocate.

#include <algorithm>
#include <string>

#include "scene/ChunkTypes.h"
#include "scene/Exception.h"
#include "scene/FileStream.h"
#include "scene/Hex.h"
#include "scene/LittleEndian.h"
#include "scene/MemoryStream.h"
#include "scene/Trace.h"
#include "scene/qScene2bin.h"

namespace {

bool IsSectionCode(uint16_t code) {
  return code == kObjectsSection || code == kDefinitionsSection || code == kVisualEffectsSection ||
         code == kInitScriptsSection;
}

std::string Offset(int64_t position) { return std::to_string(position); }

}  // namespace

std::unique_ptr<TMemoryStream> ReadChunkFromStream(TStream& stream, uint16_t& type, uint32_t& size, int64_t end) {
  const int64_t start = stream.Position();
  const int64_t left = end - start;
  if (left < static_cast<int64_t>(kChunkHeaderSize))
    throw Exception(Exception::Code::Invalid,
                    "qScene2bin.ReadChunkFromStream: chunk header cut short at offset " + Offset(start));
  uint8_t header[kChunkHeaderSize];
  stream.Read(header, sizeof header);
  type = ReadU16LE(header);
  size = ReadU32LE(header + 2);
  if (size < kChunkHeaderSize)
    throw Exception(Exception::Code::Invalid, "qScene2bin.ReadChunkFromStream: chunk " + HexUpper(type, 4) +
                                                  " at offset " + Offset(start) + " has size " + std::to_string(size) +
                                                  ", less than its header");
  if (size > left)
    throw Exception(Exception::Code::Invalid, "qScene2bin.ReadChunkFromStream: chunk " + HexUpper(type, 4) +
                                                  " at offset " + Offset(start) + " has size " + std::to_string(size) +
                                                  " but only " + std::to_string(left) + " bytes are left");
  stream.Seek(-static_cast<int64_t>(kChunkHeaderSize), TStream::Origin::Current);
  auto chunk = std::make_unique<TMemoryStream>();
  if (chunk->AppendFrom(stream, size) != size)
    throw Exception(Exception::Code::Invalid,
                    "qScene2bin.ReadChunkFromStream: file ended inside chunk at offset " + Offset(start));
  return chunk;
}

bool TqScene2bin::ReadHeadFromStream(TStream& stream) {
  try {
    uint8_t signature[2] = {};
    if (stream.Read(signature, sizeof signature) != sizeof signature || ReadU16LE(signature) != kRootChunk)
      throw Exception(Exception::Code::Invalid, "scene2.bin: incorrect file signature");
    uint8_t rootSize[4] = {};
    const size_t got = stream.Read(rootSize, sizeof rootSize);
    fileSize = static_cast<int32_t>(ReadU32LE(rootSize));
    if (got < sizeof rootSize) throw Exception(Exception::Code::Absent, "qScene2bin.ReadHeadFromStream: EOF");
    if (fileSize < 0)
      throw Exception(Exception::Code::Invalid,
                      "qScene2bin.ReadHeadFromStream: root size " + std::to_string(fileSize) + " is negative");
    if (fileSize > stream.Size() + 2)
      throw Exception(Exception::Code::Invalid, "qScene2bin.ReadHeadFromStream: root size " + std::to_string(fileSize) +
                                                    " exceeds the file's length " + std::to_string(stream.Size()));
    uint16_t next = 0;
    do {
      if (stream.Position() >= stream.Size())
        throw Exception(Exception::Code::Absent, "qScene2bin.ReadHeadFromStream: EOF");
      uint16_t type = 0;
      uint32_t size = 0;
      auto chunk = ReadChunkFromStream(stream, type, size, stream.Size());
      Trace("TqScene2bin.ReadHeadFromStream: " + HexUpper(type, 4) + " - done");
      heads.Append(std::move(chunk));
      if (stream.Position() >= stream.Size())
        throw Exception(Exception::Code::Absent, "qScene2bin.ReadHeadFromStream: EOF");
      uint8_t peek[2] = {};
      const size_t peeked = stream.Read(peek, sizeof peek);
      stream.Seek(-static_cast<int64_t>(peeked), TStream::Origin::Current);
      next = ReadU16LE(peek);
    } while (!IsSectionCode(next));
    return true;
  } catch (const std::exception& failure) {
    Trace(FailureMessage(failure));
    ClearChunkList(heads);
    return false;
  }
}

bool TqScene2bin::ReadSectionsFromStream(TStream& stream) {
  ChunkList* list = nullptr;
  try {
    const uint16_t code = stream.ReadU16();
    const int64_t begin = stream.Position();
    Trace("qScene2bin.ReadSectionsFromStream BeginOffs: " + std::to_string(begin));
    list = ListBySectionCode(code);
    if (list == nullptr)
      throw Exception(Exception::Code::Invalid,
                      "qScene2bin.ReadSectionsFromStream: Unknown section. offs: " + HexUpper(begin, 8));
    if (stream.Size() - begin < 4)
      throw Exception(Exception::Code::Invalid,
                      "qScene2bin.ReadSectionsFromStream: section header cut short. offs: " + HexUpper(begin, 8));
    const auto sectionSize = static_cast<int32_t>(stream.ReadU32());
    Trace("qScene2bin.ReadSectionsFromStream sectionSize: " + std::to_string(sectionSize));
    list->sectionSize = sectionSize;
    const int64_t end = stream.Position() - static_cast<int64_t>(kChunkHeaderSize) + sectionSize;
    if (end > stream.Size())
      throw Exception(Exception::Code::Invalid, "qScene2bin.ReadSectionsFromStream: section of size " +
                                                    std::to_string(sectionSize) +
                                                    " runs past the end of the file. offs: " + HexUpper(begin, 8));
    while (stream.Position() < end) {
      uint16_t type = 0;
      uint32_t size = 0;
      list->Append(ReadChunkFromStream(stream, type, size, end));
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
  os::Result<std::unique_ptr<TFileStream>> opened = TFileStream::OpenRead(FileName);
  // A folder, a device or a pipe is never read: a pipe could block for ever.
  if (!opened.ok() && opened.failure().notAFile) {
    Trace("qScene2bin.ReadFromFile: " + opened.reason());
    return false;
  }
  // A file that can't be opened reads as an empty one: it fails at the signature.
  if (!opened.ok()) {
    TMemoryStream empty;
    return ReadOpenedStream(empty);
  }
  return ReadOpenedStream(*opened.value());
}

bool TqScene2bin::ReadFromStream(TStream& stream) {
  clear();
  return ReadOpenedStream(stream);
}

bool TqScene2bin::ReadOpenedStream(TStream& stream) {
  try {
    Trace("qScene2bin.ReadFromFile: file open");
    if (!ReadHeadFromStream(stream))
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
    Trace("objects: " + std::to_string(objects.Count()));
    Trace("difinition: " + std::to_string(definitions.Count()));
    Trace("init scripts: " + std::to_string(initScripts.Count()));
    return true;
  } catch (const std::exception& failure) {
    Trace("qScene2bin.ReadFromFile: " + FailureMessage(failure));
    return false;
  }
}

#include "scene/DncImport.h"

#include <algorithm>
#include <unordered_map>

#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "scene/Counted.h"
#include "scene/DncExport.h"
#include "scene/Exception.h"
#include "scene/FileStream.h"
#include "scene/Hex.h"
#include "scene/LittleEndian.h"
#include "scene/Trace.h"
#include "scene/Windows1251.h"

namespace {

// Where a file stands among an export's numbered copies of one name: the
// name without extension and number, folded, and the number (1 for none).
struct NumberedCopy {
  std::string group;
  unsigned number = 1;
};

NumberedCopy CopyOf(const std::string& path) {
  std::string stem = FoldedFileName(path);
  if (stem.ends_with(".dnc")) stem.resize(stem.size() - 4);
  const size_t open = stem.rfind(" (");
  if (open == std::string::npos || !stem.ends_with(')')) return {stem};
  const std::string digits = stem.substr(open + 2, stem.size() - open - 3);
  if (digits.empty() || digits.size() > 9 || digits.front() == '0' ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return {stem};
  const unsigned number = static_cast<unsigned>(std::stoul(digits));
  if (number < 2) return {stem};
  return {stem.substr(0, open), number};
}

}  // namespace

std::vector<std::string> ImportOrder(const std::vector<std::string>& paths) {
  std::vector<NumberedCopy> copies;
  std::unordered_map<std::string, std::vector<size_t>> groups;
  for (size_t index = 0; index < paths.size(); ++index) {
    copies.push_back(CopyOf(paths[index]));
    groups[copies.back().group].push_back(index);
  }
  std::vector<std::string> ordered;
  for (size_t index = 0; index < paths.size(); ++index) {
    std::vector<size_t>& group = groups[copies[index].group];
    if (group.empty() || group.front() != index) continue;  // taken with the first of its group
    std::stable_sort(group.begin(), group.end(),
                     [&copies](size_t a, size_t b) { return copies[a].number < copies[b].number; });
    for (size_t member : group) ordered.push_back(paths[member]);
    group.clear();
  }
  return ordered;
}

ImportRefusal::ImportRefusal(std::string path, std::string reason)
    : Exception(Code::Invalid, Windows1251FromUtf8(path + ": " + reason)), Path(std::move(path)), Reason(std::move(reason)) {}

Chunk ReadDncFile(const std::string& path) {
  os::Result<std::unique_ptr<TFileStream>> file = TFileStream::OpenRead(path);
  if (!file.ok()) throw ImportRefusal(path, file.reason());
  try {
    return ReadDncChunk(*file.value());
  } catch (const Exception& refused) {
    throw ImportRefusal(path, refused.Shown());
  }
}

Chunk ReadDncChunk(TStream& file) {
  const int64_t length = file.Size();
  if (length < static_cast<int64_t>(kChunkHeaderSize))
    throw Exception(Exception::Code::Invalid,
                    "the file holds " + std::to_string(length) + " bytes, less than a chunk's header");
  uint8_t header[kChunkHeaderSize];
  file.Seek(0, TStream::Origin::Begin);
  file.Read(header, sizeof header);
  const uint16_t type = ReadU16LE(header);
  const uint32_t size = ReadU32LE(header + 2);
  if (size != length)
    throw Exception(Exception::Code::Invalid, "the chunk's size field says " + std::to_string(size) +
                                                  " bytes, but the file holds " + std::to_string(length));
  if (SectionOfItemType(type) == nullptr)
    throw Exception(Exception::Code::Invalid,
                    "chunk type " + HexUpper(type, 4) + " is not an object, definition, init script or visual effect");
  file.Seek(0, TStream::Origin::Begin);
  uint16_t readType = 0;
  uint32_t readSize = 0;
  const std::unique_ptr<TMemoryStream> chunk = ReadChunkFromStream(file, readType, readSize, length);
  return Chunk::CopyOf(ByteView(chunk->Data(), chunk->Length()));
}

std::string ImportSummary(const ImportTally& tally) {
  // Both counts only ever go up from 0.
  const auto imported = static_cast<uint64_t>(tally.replaced + tally.added);
  return Counted(imported, "chunk") + " imported (" + std::to_string(tally.replaced) + " replaced, " +
         std::to_string(tally.added) + " added)";
}

ImportTally ImportDncFiles(SceneDocument& document, const std::vector<std::string>& paths,
                           const ProgressReport& report) {
  std::vector<Chunk> chunks;
  const std::vector<std::string> ordered = ImportOrder(paths);
  for (const std::string& path : ordered) {
    if (report && !report(chunks.size(), ordered.size())) break;
    try {
      chunks.push_back(ReadDncFile(path));
    } catch (const ImportRefusal& refusal) {
      Trace("qScene2bin.ImportDNC: " + refusal.Message);
      throw;
    }
  }
  return document.ImportDNC(std::move(chunks));
}

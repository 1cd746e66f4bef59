#include "scene/DncImport.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <unordered_map>

#include "os/FileImage.h"
#include "os/FileSystem.h"
#include "scene/ByteBlock.h"
#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "scene/Counted.h"
#include "scene/DncExport.h"
#include "scene/Hex.h"
#include "scene/WholeChunk.h"

namespace {

// Where a file stands among an export's numbered copies of one name: its
// name folded, without extension, split from its number.
NumberedName CopyOf(const std::string& path) {
  std::string name = FoldedFileName(path);
  if (name.ends_with(kDncExtension)) name.resize(name.size() - (std::size(kDncExtension) - 1));
  return SplitNumber(name);
}

}  // namespace

std::vector<std::string> ImportOrder(const std::vector<std::string>& paths) {
  std::vector<NumberedName> copies;
  std::unordered_map<std::string, std::vector<size_t>> groups;
  for (size_t index = 0; index < paths.size(); ++index) {
    copies.push_back(CopyOf(paths[index]));
    groups[copies.back().stem].push_back(index);
  }
  std::vector<std::string> ordered;
  for (size_t index = 0; index < paths.size(); ++index) {
    std::vector<size_t>& group = groups[copies[index].stem];
    if (group.empty() || group.front() != index) continue;  // taken with the first of its group
    std::stable_sort(group.begin(), group.end(),
                     [&copies](size_t a, size_t b) { return copies[a].number < copies[b].number; });
    for (size_t member : group) ordered.push_back(paths[member]);
    group.clear();
  }
  return ordered;
}

namespace {

// Why a .dnc file of `length` bytes that begins with `head` is refused; empty when it is not.
std::string DncFault(ByteView head, uint64_t length) {
  if (const std::optional<WholeChunkProblem> problem = CheckWholeChunk(head, length)) {
    if (problem->fault == WholeChunkProblem::Fault::ShorterThanHeader)
      return "the file holds " + std::to_string(length) + " bytes, less than a chunk's header";
    return "the chunk's size field says " + std::to_string(problem->sizeField) + " bytes, but the file holds " +
           std::to_string(length);
  }
  const uint16_t type = GetChunkType(head);
  if (SectionOfItemType(type) == nullptr)
    return "chunk type " + HexUpper(type, 4) + " is not an object, definition, init script or visual effect";
  return "";
}

}  // namespace

Outcome<Chunk> ReadDncFile(const std::string& path) {
  const auto refused = [&path](const std::string& reason) {
    return SceneError{SceneFault::DncRefused, path + ": " + reason, reason};
  };
  os::Result<std::FILE*> opened = os::OpenForReading(path);
  if (!opened.ok()) return refused(opened.reason());
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(opened.value(), std::fclose);
  os::Result<uint64_t> length = os::FileLength(file.get());
  if (!length.ok()) return refused(length.reason());
  uint8_t head[kChunkHeaderSize] = {};
  os::Result<size_t> headRead = os::ReadAt(file.get(), 0, head, sizeof head);
  if (!headRead.ok()) return refused(headRead.reason());
  // Judged by its header and length, so that a long file that can't be one chunk is never read.
  if (const std::string fault = DncFault(ByteView(head, headRead.value()), length.value()); !fault.empty())
    return refused(fault);
  os::FileImage image;
  if (const os::Status read = os::LoadFile(file.get(), length.value(), image); !read.ok())
    return refused(read.reason());
  std::shared_ptr<const ByteBlock> block = BlockOfFile(std::move(image));
  // The file may have changed between the look at its header and the read.
  const ByteView bytes(block->Data(), block->Size());
  if (const std::string fault = DncFault(bytes, bytes.Length()); !fault.empty()) return refused(fault);
  return Chunk(std::move(block), bytes);
}

Outcome<Chunk> ReadDncChunk(ByteView file) {
  if (const std::string fault = DncFault(file, file.Length()); !fault.empty())
    return SceneError{SceneFault::DncRefused, fault};
  return Chunk::CopyOf(file);
}

std::string ImportSummary(const ImportTally& tally) {
  // Both counts only ever go up from 0.
  const auto imported = static_cast<uint64_t>(tally.replaced + tally.added);
  return Counted(imported, "chunk") + " imported (" + std::to_string(tally.replaced) + " replaced, " +
         std::to_string(tally.added) + " added)";
}

Outcome<ImportTally> ImportDncFiles(SceneDocument& document, const std::vector<std::string>& paths,
                                    const ProgressReport& report) {
  std::vector<Chunk> chunks;
  const std::vector<std::string> ordered = ImportOrder(paths);
  for (const std::string& path : ordered) {
    if (report && !report(chunks.size(), ordered.size())) break;
    Outcome<Chunk> read = ReadDncFile(path);
    if (!read.ok()) return document.ImportRefused(read.failure());
    chunks.push_back(std::move(read.value()));
  }
  return document.Import(std::move(chunks));
}

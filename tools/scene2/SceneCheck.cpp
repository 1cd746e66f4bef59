#include "tools/scene2/SceneCheck.h"

#include <algorithm>
#include <map>
#include <unordered_map>

#include "scene/ChunkCatalogue.h"
#include "scene/ChunkFaults.h"
#include "scene/ChunkTypes.h"
#include "scene/DncExport.h"
#include "scene/Hex.h"
#include "scene/SubChunkWalk.h"
#include "tools/scene2/NameText.h"

namespace {

std::string Type(uint16_t type) { return HexUpper(type, 4); }

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// A file name too long to show whole in a line: its start, and its end with
// the number and the extension, cut between characters.
std::string Shortened(const std::string& fileName) {
  constexpr size_t kStart = 40;
  constexpr size_t kEnd = 20;
  if (fileName.size() <= kStart + kEnd) return fileName;
  size_t start = kStart;
  size_t end = fileName.size() - kEnd;
  while (start > 0 && IsUtf8Continuation(fileName[start])) --start;
  while (end < fileName.size() && IsUtf8Continuation(fileName[end])) ++end;
  return fileName.substr(0, start) + "..." + fileName.substr(end);
}

// The items of every section, each numbered as a load numbers it in its list.
class ItemCheck {
 public:
  explicit ItemCheck(std::vector<Problem>& problems) : problems_(problems) {}
  void Reserve(size_t chunks) { fileNames_.Reserve(chunks); }

  void Check(const SceneSection& section, const MappedChunk& chunk) {
    const size_t index = next_[section.code]++;
    label_ = std::string(section.word) + " " + std::to_string(index);
    // Only the four item types have a known inside.
    const SceneSection* own = SectionOfItemType(chunk.type);
    const Outcome<std::string> name = ReadChunkName(chunk.bytes);
    if (own != nullptr && name.ok()) label_.append(" ").append(QuotedName(name.value()));

    // The editor's tree puts objects and definitions into type folders, by
    // each chunk's own type, and refuses what has no folder.
    if (chunk.type != section.itemType) {
      const bool refused = section.typeFolders && (own == nullptr || !own->typeFolders);
      Report(chunk.offset, "chunk type " + Type(chunk.type) + " in " + section.word + ", which hold " +
                               Type(section.itemType) + (refused ? "; the editor's tree refuses it" : ""));
    }
    if (own == nullptr) return;
    if (section.typeFolders) CheckFolder(chunk);
    if (own->NamedBySubChunk())
      CheckSubChunks(chunk);
    else
      CheckNameLength(chunk, own->nameLengthAt);
    if (!name.ok()) {
      Report(chunk.offset, "its name can't be read: " + name.failure().message);
      return;
    }
    CheckName(section, index, chunk, name.value());
  }

 private:
  void Report(uint64_t offset, const std::string& text) { problems_.push_back({offset, label_ + ": " + text, false}); }

  void CheckFolder(const MappedChunk& chunk) {
    if (chunk.type == kObjectChunk) {
      const uint32_t code = GetObjectType(chunk.bytes);
      if (KnownObjectTypeIndex(code) < 0)
        Report(chunk.offset, "the editor's tree refuses object type " + ObjectTypeName(code));
    } else if (chunk.type == kDefinitionChunk) {
      const uint32_t code = GetDefinitionType(chunk.bytes);
      if (code >= kDefinitionTypeCount)
        Report(chunk.offset, "the editor's tree refuses definition type " + DefinitionTypeName(code));
    }
  }

  // An object's or a definition's payload is a run of sub-chunks, end to end.
  void CheckSubChunks(const MappedChunk& chunk) {
    const ByteView body = ChunkBody(chunk.bytes);
    size_t at = 0;
    SubChunkWalk walk(body);
    for (SubChunk sub; walk.Next(sub);) at = sub.Offset + sub.Size;
    if (at != body.Length()) Report(chunk.offset + kChunkHeaderSize + at, SubChunkRunFault(body, at));
  }

  void CheckNameLength(const MappedChunk& chunk, uint32_t at) {
    const std::string fault = NameLengthFault(chunk.bytes, at);
    if (fault.empty()) return;
    // A length cut short is the chunk's fault; one too large is the field's.
    const bool cutShort = chunk.bytes.Length() < size_t{at} + 4;
    Report(cutShort ? chunk.offset : chunk.offset + at, fault);
  }

  void CheckName(const SceneSection& section, size_t index, const MappedChunk& chunk, const std::string& name) {
    const auto [first, isNew] = names_[section.code].emplace(name, Seen{index, chunk.offset});
    if (!isNew)
      Report(chunk.offset, "repeats the name of " + std::string(section.word) + " " +
                               std::to_string(first->second.index) + " at offset " +
                               std::to_string(first->second.offset) + ", which rename refuses and an export numbers");
    // Named as an export of the whole scene names it, numbered if it repeats.
    const std::string fileName = fileNames_.Unused(DncFileName(chunk.type, name));
    const std::string tooLong = FileNameLengthFault(fileName);
    for (const std::string& fault : {FileNameFault(fileName), tooLong})
      if (!fault.empty())
        Report(chunk.offset, "no export can write it to \"" +
                                 FileNameText(tooLong.empty() ? fileName : Shortened(fileName)) + "\": " + fault);
  }

  struct Seen {
    size_t index;
    uint64_t offset;
  };

  std::vector<Problem>& problems_;
  std::string label_;                                                // of the chunk being checked
  std::map<uint16_t, size_t> next_;                                  // by section code: the index of its next chunk
  std::map<uint16_t, std::unordered_map<std::string, Seen>> names_;  // by section code
  TDncFileNames fileNames_;
};

}  // namespace

std::vector<Problem> CheckScene(ByteView bytes, uint64_t fileLength) {
  SceneMap map = MapScene(bytes, fileLength);
  std::vector<Problem> problems = std::move(map.problems);
  ItemCheck items(problems);
  size_t chunks = 0;
  for (const MappedSection& section : map.sections) chunks += section.chunks.size();
  items.Reserve(chunks);
  for (const MappedSection& section : map.sections)
    for (const MappedChunk& chunk : section.chunks) items.Check(*SectionByCode(section.code), chunk);
  std::stable_sort(problems.begin(), problems.end(),
                   [](const Problem& a, const Problem& b) { return a.offset < b.offset; });
  return problems;
}

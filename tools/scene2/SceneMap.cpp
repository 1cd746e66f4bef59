#include "tools/scene2/SceneMap.h"

#include "scene/ChunkTypes.h"
#include "scene/Counted.h"
#include "scene/Hex.h"
#include "scene/LoadFailure.h"
#include "scene/SceneWalk.h"
#include "tools/scene2/Sections.h"

namespace {

std::string Type(uint16_t type) { return HexUpper(type, 4); }

std::string Number(uint64_t value) { return std::to_string(value); }

// A problem of the layout in check's words.
std::string Text(const LayoutProblem& problem) {
  const std::string within = problem.bound == ChunkBound::File ? "the file" : "its section";
  const SceneSection* section = SectionByCode(problem.type);
  const std::string word = section != nullptr ? section->word : "";
  const std::string rootSize = "the root size " + Number(problem.size);
  switch (problem.fault) {
    case LayoutFault::NoSignature:
      return kNoSignatureReason;
    case LayoutFault::RootSizeCutShort:
      return "the file ends inside the root size";
    case LayoutFault::RootSizeNegative:
      return rootSize + " is above 2147483647, the most a scene can have";
    case LayoutFault::RootSizePastFile:
      return rootSize + " is more than the file's " + Counted(problem.count, "byte");
    case LayoutFault::NoChunkAfterRoot:
      return "the file ends after the root header, before any chunk";
    case LayoutFault::NoSectionAfterHead:
      return "the file ends after the head chunks, before any section";
    case LayoutFault::FirstChunkIsSection:
      return "the first chunk is a section of " + word +
             ", which a load takes for a head chunk: its chunks are in no section";
    case LayoutFault::ChunkHeaderCutShort:
      return "a chunk header is cut short by the end of " + within + ": " + Counted(problem.count, "byte") + " left";
    case LayoutFault::ChunkSizeBelowHeader:
      return "chunk " + Type(problem.type) + " has size " + Number(problem.size) + ", less than its 6-byte header";
    case LayoutFault::ChunkRunsPast:
      return "chunk " + Type(problem.type) + " of size " + Number(problem.size) + " runs past the end of " + within +
             " by " + Counted(problem.size - problem.count, "byte");
    case LayoutFault::UnknownSection:
      return "unknown section code " + Type(problem.type) + "; the sections are " + SectionCodes();
    case LayoutFault::SectionHeaderCutShort:
      return "the header of a section of " + word + " is cut short by the end of the file";
    case LayoutFault::SecondSection:
      return "a second section of " + word + ", after the one at offset " + Number(problem.at) +
             ": a load puts the chunks of both into one list and a save writes them as one section";
    case LayoutFault::SectionSizeBelowHeader:
      return "the section of " + word + " has size " + std::to_string(static_cast<int32_t>(problem.size)) +
             ", less than its header: a load takes it as empty and reads on right after its header";
    case LayoutFault::SectionRunsPastFile:
      return "the section of " + word + " of size " + Number(problem.size) + " runs past the end of the file by " +
             Counted(problem.size - problem.count, "byte");
    case LayoutFault::RootEndsBeforeSections:
      return rootSize + " ends before the sections do, at offset " + Number(problem.at) + "; a save writes that";
    case LayoutFault::RootPastFileEnd:
      return rootSize + " is " + Counted(problem.count, "byte") + " more than the file holds";
    case LayoutFault::RootTailHoldsNoSection:
      return Counted(problem.count, "byte") +
             " at the root's end hold no section: a load leaves them out and a save drops them";
    case LayoutFault::BytesAfterRoot:
      return Counted(problem.count, "byte") + " after the root's end";
  }
  return "";
}

// Keeps what the walk finds: the chunks of each known section, the section
// code that stands twice here twice.
class Mapper final : public SceneWalkSink {
 public:
  void HeadChunk(const WalkedChunk& chunk) override { map.heads.push_back(Mapped(chunk)); }
  void Section(const WalkedSection& section) override {
    if (section.sized && SectionByCode(section.code) != nullptr)
      map.sections.push_back({section.code, section.offset, {}});
  }
  void SectionChunk(const WalkedChunk& chunk) override { map.sections.back().chunks.push_back(Mapped(chunk)); }
  void Problem(const LayoutProblem& problem) override {
    map.problems.push_back({problem.offset, Text(problem), FailsLoad(problem.fault)});
  }

  SceneMap map;

 private:
  static MappedChunk Mapped(const WalkedChunk& chunk) { return {chunk.type, chunk.offset, chunk.bytes}; }
};

}  // namespace

SceneMap MapScene(ByteView bytes, uint64_t fileLength) {
  Mapper mapper;
  WalkScene(bytes, fileLength, mapper, WalkUntil::End);
  return std::move(mapper.map);
}

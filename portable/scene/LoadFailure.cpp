#include "scene/LoadFailure.h"

#include <string>

#include "scene/Counted.h"
#include "scene/Hex.h"

namespace {

using Code = Exception::Code;

std::string Number(uint64_t value) { return std::to_string(value); }

// Where a section's failure is: the position after its code, in hexadecimal.
std::string Offs(const LayoutProblem& problem) { return ". offs: " + HexUpper(problem.at, 8); }

std::string ChunkAt(const LayoutProblem& problem) {
  return "qScene2bin.ReadChunkFromStream: chunk " + HexUpper(problem.type, 4) + " at offset " + Number(problem.offset) +
         " has size " + Number(problem.size);
}

}  // namespace

Exception LoadFailure(const LayoutProblem& problem) {
  const std::string rootSize = "qScene2bin.ReadHeadFromStream: root size " + Number(problem.size);
  const std::string section = "qScene2bin.ReadSectionsFromStream: ";
  switch (problem.fault) {
    case LayoutFault::NoSignature:
      return Exception(Code::Invalid, "scene2.bin: incorrect file signature");
    case LayoutFault::RootSizeCutShort:
    case LayoutFault::NoChunkAfterRoot:
    case LayoutFault::NoSectionAfterHead:
      return Exception(Code::Absent, "qScene2bin.ReadHeadFromStream: EOF");
    case LayoutFault::RootSizeNegative:
      return Exception(Code::Invalid, rootSize + " is above 2147483647, the most a scene can have");
    case LayoutFault::RootSizePastFile:
      return Exception(Code::Invalid, rootSize + " exceeds the file's length " + Number(problem.count));
    case LayoutFault::ChunkHeaderCutShort:
      return Exception(Code::Invalid,
                       "qScene2bin.ReadChunkFromStream: chunk header cut short at offset " + Number(problem.offset));
    case LayoutFault::ChunkSizeBelowHeader:
      return Exception(Code::Invalid, ChunkAt(problem) + ", less than its header");
    case LayoutFault::ChunkRunsPast:
      return Exception(Code::Invalid, ChunkAt(problem) + " but only " + Number(problem.count) + " bytes are left");
    case LayoutFault::UnknownSection:
      return Exception(Code::Invalid, section + "Unknown section" + Offs(problem));
    case LayoutFault::SectionHeaderCutShort:
      return Exception(Code::Invalid, section + "section header cut short" + Offs(problem));
    case LayoutFault::SectionRunsPastFile:
      return Exception(Code::Invalid, section + "section of size " +
                                          std::to_string(static_cast<int32_t>(problem.size)) +
                                          " runs past the end of the file" + Offs(problem));
    case LayoutFault::BytesAfterRoot:
      // As check words it: a load that went on would leave them out, and a save drop them.
      return Exception(Code::Invalid, "offset " + Number(problem.offset) + ": " + Counted(problem.count, "byte") +
                                          " after the root's end (a load fails here)");
    default:  // a load reads on past the others (FailsLoad)
      return Exception(Code::Invalid, "a load reads on past this");
  }
}

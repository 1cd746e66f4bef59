#pragma once
// A problem of a scene file's layout, as the walk of its bytes meets it: what
// it is and its numbers, so that the load and scene2 check can each word it.

#include <cstdint>

enum class LayoutFault : uint8_t {
  // The root header. size: the root size; count: the file's length.
  NoSignature,
  RootSizeCutShort,
  RootSizeNegative,
  RootSizePastFile,
  // The head.
  NoChunkAfterRoot,
  NoSectionAfterHead,
  FirstChunkIsSection,  // type: its code
  // Any chunk, which must end by `bound`. type, size: its header's; count:
  // the bytes left up to the bound.
  ChunkHeaderCutShort,
  ChunkSizeBelowHeader,
  ChunkRunsPast,
  // A section. type: its code (0 when the file ends inside it); size: its
  // size field; at: where its code ends, or for a second section the offset
  // of the first; count: the bytes the file holds from its start.
  UnknownSection,
  SectionHeaderCutShort,
  SecondSection,
  SectionSizeBelowHeader,
  SectionRunsPastFile,
  // The root's end. size: the root size; at: where the sections end; count:
  // the bytes that the fault is about.
  RootEndsBeforeSections,
  RootPastFileEnd,
  RootTailHoldsNoSection,
  BytesAfterRoot,
};

// Where a chunk must end: at the end of the file or of its section.
enum class ChunkBound : uint8_t { File, Section };

struct LayoutProblem {
  LayoutFault fault = LayoutFault::NoSignature;
  uint64_t offset = 0;  // in the file
  uint16_t type = 0;
  uint32_t size = 0;
  uint64_t count = 0;
  uint64_t at = 0;
  ChunkBound bound = ChunkBound::File;
};

// Whether a load of the file fails at a problem of that kind.
constexpr bool FailsLoad(LayoutFault fault) {
  switch (fault) {
    case LayoutFault::FirstChunkIsSection:
    case LayoutFault::SecondSection:
    case LayoutFault::SectionSizeBelowHeader:
    case LayoutFault::RootEndsBeforeSections:
    case LayoutFault::RootPastFileEnd:
    case LayoutFault::RootTailHoldsNoSection:
      return false;
    default:
      return true;
  }
}

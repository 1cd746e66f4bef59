#include "scene/SceneWalk.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>

#include "scene/ChunkTypes.h"
#include "scene/LittleEndian.h"

namespace {

// Raised where the walk needs bytes beyond those it was given: it ends there.
struct BytesNotHeld {};

class Walker {
 public:
  Walker(ByteView bytes, uint64_t fileLength, SceneWalkSink& sink, WalkUntil until, ByteArrival* arrival)
      : bytes_(bytes),
        fileLength_(fileLength),
        sink_(sink),
        until_(until),
        arrival_(arrival),
        ready_(arrival != nullptr ? 0 : bytes.Length()) {}

  void Walk() {
    uint64_t at = kChunkHeaderSize;
    if (WalkRoot() && WalkHead(at) && WalkSections(at)) WalkEnd(at);
  }

 private:
  // The bytes before `end`, or all the file has before it, are there once
  // this returns; raises BytesNotHeld when they are not among those given.
  void Await(uint64_t end) {
    end = std::min(end, fileLength_);
    if (end > ready_ && arrival_ != nullptr && end <= bytes_.Length())
      ready_ = arrival_->Await(static_cast<size_t>(end));
    if (end > ready_) throw BytesNotHeld{};
  }

  // The file's bytes from `at`; false where the file ends first.
  bool ReadU16(uint64_t at, uint16_t& value) {
    Await(at + 2);
    return at + 2 <= fileLength_ && bytes_.ReadU16(static_cast<size_t>(at), value);
  }
  bool ReadU32(uint64_t at, uint32_t& value) {
    Await(at + 4);
    return at + 4 <= fileLength_ && bytes_.ReadU32(static_cast<size_t>(at), value);
  }

  // False when the walk is to stop here.
  bool Report(const LayoutProblem& problem) {
    sink_.Problem(problem);
    stopped_ = stopped_ || (FailsLoad(problem.fault) && until_ == WalkUntil::LoadFailure);
    return !stopped_;
  }

  bool WalkRoot() {
    const uint64_t held = std::min<uint64_t>(fileLength_, kRootHeaderSize);
    Await(held);
    const RootHeader header = ReadRootHeader(std::span(bytes_.Data(), static_cast<size_t>(held)));
    sink_.Root(header);
    root_ = fileLength_;
    if (const std::optional<LayoutProblem> fault = RootHeaderFault(header, fileLength_)) {
      const bool goOn = Report(*fault);
      // Without a root size there is nothing to go on.
      return goOn && fault->fault != LayoutFault::NoSignature && fault->fault != LayoutFault::RootSizeCutShort;
    }
    rootSize_ = static_cast<uint32_t>(header.rootSize);
    rootHolds_ = true;
    root_ = rootSize_;
    return true;
  }

  // The chunk at `at`, which must end by `end`; nullopt after its problem.
  std::optional<WalkedChunk> ChunkAt(uint64_t at, uint64_t end, ChunkBound bound) {
    const uint64_t left = std::min(end, fileLength_) - at;
    uint16_t type = 0;
    uint32_t size = 0;
    if (left >= kChunkHeaderSize) {
      Await(at + kChunkHeaderSize);
      const uint8_t* chunk = bytes_.Data() + static_cast<size_t>(at);
      type = ReadU16LE(chunk);
      size = ReadU32LE(chunk + 2);
      if (ChunkFits(left, size)) {
        // Each header of a walk is found only from the one before, so their
        // reads would wait on memory one after another. Asking for the bytes a
        // few kilobytes ahead of the walk, as many as this chunk moves it on,
        // has them come in together instead. (Not in a helper of its own: GCC
        // judged such a helper to have no effect and dropped its calls.) Bytes
        // that arrive as they are walked were read a moment ago: asking ahead
        // of them reached memory not read yet, and cost more than it saved.
        constexpr uint64_t kAhead = 4096;
        constexpr uint64_t kLine = 64;
        const uint64_t fetched =
            arrival_ != nullptr ? 0 : std::min<uint64_t>(at + kAhead + std::min<uint64_t>(size, kAhead), ready_);
        for (uint64_t ahead = at + kAhead; ahead < fetched; ahead += kLine)
          __builtin_prefetch(bytes_.Data() + static_cast<size_t>(ahead));
        Await(at + size);
        return WalkedChunk{type, at, ByteView(chunk, size)};
      }
    }
    Report(ChunkFault(at, left, type, size, bound));
    return std::nullopt;
  }

  // A load reads chunks into the head until a section code follows one.
  bool WalkHead(uint64_t& at) {
    uint16_t first = 0;
    uint16_t next = 0;
    do {
      if (at >= fileLength_) {
        Report({.fault = LayoutFault::NoChunkAfterRoot, .offset = at});
        return false;
      }
      const std::optional<WalkedChunk> chunk = ChunkAt(at, fileLength_, ChunkBound::File);
      if (!chunk) return false;
      if (at == kChunkHeaderSize) first = chunk->type;
      sink_.HeadChunk(*chunk);
      at += chunk->bytes.Length();
      if (at >= fileLength_) {
        Report({.fault = LayoutFault::NoSectionAfterHead, .offset = at});
        return false;
      }
      next = 0;
      ReadU16(at, next);
    } while (SectionByCode(next) == nullptr);
    if (SectionByCode(first) != nullptr)
      Report({.fault = LayoutFault::FirstChunkIsSection, .offset = kChunkHeaderSize, .type = first});
    sink_.HeadDone();
    return true;
  }

  // As a load: sections while more than 2 bytes of the root are left.
  bool WalkSections(uint64_t& at) {
    std::array<std::optional<uint64_t>, kSceneSectionCount> firstAt;
    while (RootGoesOnAfter(root_, at)) {
      const uint64_t start = at;
      WalkedSection section{.offset = start, .codeEnd = std::min(start + 2, fileLength_)};
      ReadU16(start, section.code);
      section.sized = ReadU32(start + 2, section.size);
      sink_.Section(section);
      LayoutProblem problem{.offset = start, .type = section.code, .size = section.size, .at = section.codeEnd};
      const SceneSection* known = SectionByCode(section.code);
      if (known == nullptr) {
        problem.fault = LayoutFault::UnknownSection;
        if (!Report(problem)) return false;
        // Stepped over as a chunk when its size allows: what follows may still be read.
        if (!section.sized || !ChunkFits(fileLength_ - start, section.size)) return false;
        at += section.size;
        continue;
      }
      if (!section.sized) {
        problem.fault = LayoutFault::SectionHeaderCutShort;
        Report(problem);
        return false;
      }
      if (std::optional<uint64_t>& first = firstAt[SectionIndex(*known)]; !first)
        first = start;
      else
        Report({.fault = LayoutFault::SecondSection, .offset = start, .type = section.code, .at = *first});
      uint64_t end = start + kChunkHeaderSize;
      ChunkBound bound = ChunkBound::Section;
      if (static_cast<int32_t>(section.size) < static_cast<int32_t>(kChunkHeaderSize)) {
        problem.fault = LayoutFault::SectionSizeBelowHeader;
        Report(problem);
      } else if (section.size > fileLength_ - start) {
        problem.fault = LayoutFault::SectionRunsPastFile;
        problem.count = fileLength_ - start;
        if (!Report(problem)) return false;
        end = fileLength_;
        bound = ChunkBound::File;
      } else {
        end = start + section.size;
      }
      for (at = start + kChunkHeaderSize; at < end;) {
        const std::optional<WalkedChunk> chunk = ChunkAt(at, end, bound);
        if (!chunk) break;
        sink_.SectionChunk(*chunk);
        at += chunk->bytes.Length();
      }
      if (stopped_) return false;
      at = std::max(at, end);
      sink_.SectionDone();
    }
    return true;
  }

  // What lies between the last section and the root's end, and after it.
  void WalkEnd(uint64_t at) {
    if (!rootHolds_) return;
    const uint64_t root = rootSize_;
    constexpr uint64_t kSizeAt = 2;
    if (at > root && at >= fileLength_)
      Report({.fault = LayoutFault::RootEndsBeforeSections, .offset = kSizeAt, .size = rootSize_, .at = at});
    if (root > fileLength_)
      Report({.fault = LayoutFault::RootPastFileEnd, .offset = kSizeAt, .size = rootSize_, .count = root - fileLength_});
    if (const uint64_t held = std::min(root, fileLength_); held > at)
      Report({.fault = LayoutFault::RootTailHoldsNoSection, .offset = at, .size = rootSize_, .count = held - at});
    if (const uint64_t reached = std::max(root, at); fileLength_ > reached)
      Report({.fault = LayoutFault::BytesAfterRoot,
              .offset = reached,
              .size = rootSize_,
              .count = fileLength_ - reached});
  }

  ByteView bytes_;        // the file's first bytes, all of them or fewer
  uint64_t fileLength_;   // what the walk goes by
  SceneWalkSink& sink_;
  WalkUntil until_;
  ByteArrival* arrival_;  // null when every byte given is there
  uint64_t ready_;        // bytes known to be there
  // Where the root ends for the walk: at its size when a load takes that,
  // otherwise at the end of the file.
  uint64_t root_ = 0;
  uint32_t rootSize_ = 0;
  bool rootHolds_ = false;
  bool stopped_ = false;  // at a problem that fails a load, as asked
};

}  // namespace

bool WalkScene(ByteView bytes, uint64_t fileLength, SceneWalkSink& sink, WalkUntil until, ByteArrival* arrival) {
  try {
    Walker(bytes, fileLength, sink, until, arrival).Walk();
    return true;
  } catch (const BytesNotHeld&) {
    return false;
  }
}

LayoutProblem ChunkFault(uint64_t offset, uint64_t left, uint16_t type, uint32_t size, ChunkBound bound) {
  LayoutProblem problem{.offset = offset, .type = type, .size = size, .count = left, .bound = bound};
  if (left < kChunkHeaderSize)
    problem.fault = LayoutFault::ChunkHeaderCutShort;
  else if (size < kChunkHeaderSize)
    problem.fault = LayoutFault::ChunkSizeBelowHeader;
  else
    problem.fault = LayoutFault::ChunkRunsPast;
  return problem;
}

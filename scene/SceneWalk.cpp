#include "scene/SceneWalk.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>

#include "scene/ChunkTypes.h"
#include "scene/LittleEndian.h"

namespace {

class Walker {
 public:
  Walker(ByteView bytes, uint64_t fileLength, SceneWalkSink& sink, WalkUntil until, ByteArrival* arrival)
      : bytes_(bytes),
        length_(bytes.Length()),
        fileLength_(fileLength),
        sink_(sink),
        until_(until),
        arrival_(arrival) {}

  void Walk() {
    size_t at = kChunkHeaderSize;
    // Only the root header was read when a load refuses it: the walk ends there.
    if (WalkRoot() && length_ == fileLength_ && WalkHead(at) && WalkSections(at)) WalkEnd(at);
  }

 private:
  // The bytes before `end` (or all) are there once this returns.
  void Await(size_t end) {
    if (end > ready_ && arrival_ != nullptr) ready_ = arrival_->Await(end);
  }

  // False when the walk is to stop here.
  bool Report(const LayoutProblem& problem) {
    sink_.Problem(problem);
    stopped_ = stopped_ || (FailsLoad(problem.fault) && until_ == WalkUntil::LoadFailure);
    return !stopped_;
  }

  bool WalkRoot() {
    Await(kRootHeaderSize);
    const RootHeader header = ReadRootHeader(std::span(bytes_.Data(), length_));
    sink_.Root(header);
    root_ = length_;
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
  std::optional<WalkedChunk> ChunkAt(size_t at, size_t end, ChunkBound bound) {
    const size_t left = std::min(end, length_) - at;
    uint16_t type = 0;
    uint32_t size = 0;
    if (left >= kChunkHeaderSize) {
      Await(at + kChunkHeaderSize);
      const uint8_t* chunk = bytes_.Data() + at;
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
        constexpr size_t kAhead = 4096;
        constexpr size_t kLine = 64;
        const size_t fetched =
            arrival_ != nullptr ? 0 : std::min(at + kAhead + std::min<size_t>(size, kAhead), length_);
        for (size_t ahead = at + kAhead; ahead < fetched; ahead += kLine) __builtin_prefetch(bytes_.Data() + ahead);
        Await(at + size);
        return WalkedChunk{type, at, ByteView(chunk, size)};
      }
    }
    Report(ChunkFault(at, left, type, size, bound));
    return std::nullopt;
  }

  // A load reads chunks into the head until a section code follows one.
  bool WalkHead(size_t& at) {
    uint16_t first = 0;
    uint16_t next = 0;
    do {
      if (at >= length_) {
        Report({.fault = LayoutFault::NoChunkAfterRoot, .offset = at});
        return false;
      }
      const std::optional<WalkedChunk> chunk = ChunkAt(at, length_, ChunkBound::File);
      if (!chunk) return false;
      if (at == kChunkHeaderSize) first = chunk->type;
      sink_.HeadChunk(*chunk);
      at += chunk->bytes.Length();
      if (at >= length_) {
        Report({.fault = LayoutFault::NoSectionAfterHead, .offset = at});
        return false;
      }
      next = 0;
      Await(at + 2);
      bytes_.ReadU16(at, next);
    } while (SectionByCode(next) == nullptr);
    if (SectionByCode(first) != nullptr)
      Report({.fault = LayoutFault::FirstChunkIsSection, .offset = kChunkHeaderSize, .type = first});
    sink_.HeadDone();
    return true;
  }

  // As a load: sections while more than 2 bytes of the root are left.
  bool WalkSections(size_t& at) {
    std::array<std::optional<size_t>, kSceneSectionCount> firstAt;
    while (root_ > at + 2) {
      const size_t start = at;
      WalkedSection section{.offset = start, .codeEnd = std::min<size_t>(start + 2, length_)};
      Await(start + kChunkHeaderSize);
      bytes_.ReadU16(start, section.code);
      section.sized = bytes_.ReadU32(start + 2, section.size);
      sink_.Section(section);
      LayoutProblem problem{.offset = start, .type = section.code, .size = section.size, .at = section.codeEnd};
      const SceneSection* known = SectionByCode(section.code);
      if (known == nullptr) {
        problem.fault = LayoutFault::UnknownSection;
        if (!Report(problem)) return false;
        // Stepped over as a chunk when its size allows: what follows may still be read.
        if (!section.sized || !ChunkFits(length_ - start, section.size)) return false;
        at += section.size;
        continue;
      }
      if (!section.sized) {
        problem.fault = LayoutFault::SectionHeaderCutShort;
        Report(problem);
        return false;
      }
      if (std::optional<size_t>& first = firstAt[SectionIndex(*known)]; !first)
        first = start;
      else
        Report({.fault = LayoutFault::SecondSection, .offset = start, .type = section.code, .at = *first});
      size_t end = start + kChunkHeaderSize;
      ChunkBound bound = ChunkBound::Section;
      if (static_cast<int32_t>(section.size) < static_cast<int32_t>(kChunkHeaderSize)) {
        problem.fault = LayoutFault::SectionSizeBelowHeader;
        Report(problem);
      } else if (section.size > length_ - start) {
        problem.fault = LayoutFault::SectionRunsPastFile;
        problem.count = length_ - start;
        if (!Report(problem)) return false;
        end = length_;
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
  void WalkEnd(size_t at) {
    if (!rootHolds_) return;
    const size_t root = rootSize_;
    constexpr uint64_t kSizeAt = 2;
    if (at > root && at >= length_)
      Report({.fault = LayoutFault::RootEndsBeforeSections, .offset = kSizeAt, .size = rootSize_, .at = at});
    if (root > length_)
      Report({.fault = LayoutFault::RootPastFileEnd, .offset = kSizeAt, .size = rootSize_, .count = root - length_});
    if (const size_t held = std::min(root, length_); held > at)
      Report({.fault = LayoutFault::RootTailHoldsNoSection, .offset = at, .size = rootSize_, .count = held - at});
    if (const size_t reached = std::max(root, at); length_ > reached)
      Report({.fault = LayoutFault::BytesAfterRoot, .offset = reached, .size = rootSize_, .count = length_ - reached});
  }

  ByteView bytes_;
  size_t length_;        // of the bytes walked
  uint64_t fileLength_;  // of the file, more when only its root header was read
  SceneWalkSink& sink_;
  WalkUntil until_;
  ByteArrival* arrival_;  // null when every byte is there
  size_t ready_ = 0;      // bytes known to be there, with an arrival
  // Where the root ends for the walk: at its size when a load takes that,
  // otherwise at the end of the bytes.
  size_t root_ = 0;
  uint32_t rootSize_ = 0;
  bool rootHolds_ = false;
  bool stopped_ = false;  // at a problem that fails a load, as asked
};

}  // namespace

void WalkScene(ByteView bytes, uint64_t fileLength, SceneWalkSink& sink, WalkUntil until, ByteArrival* arrival) {
  Walker(bytes, fileLength, sink, until, arrival).Walk();
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

#pragma once
// The one walk of a scene file's layout, for the load and for scene2's check
// and listings: the root header, the head chunks, then each section and its
// chunks, in file order, over the file's bytes in memory with every length
// checked against what is there before it is used. Each problem is told with
// its offset; the walk goes on past one wherever it can still tell where the
// next chunk starts, so that one look finds them all, unless it is asked to
// stop where a load stops.

#include <cstdint>

#include "scene/ByteView.h"
#include "scene/LayoutProblem.h"
#include "scene/RootHeader.h"

struct WalkedChunk {
  uint16_t type = 0;
  uint64_t offset = 0;  // in the file
  ByteView bytes;       // the whole chunk, header included
};

struct WalkedSection {
  uint16_t code = 0;     // 0 when the file ends inside it
  uint64_t offset = 0;   // in the file
  uint64_t codeEnd = 0;  // where the bytes of its code end: offset + 2 unless the file ends first
  bool sized = false;    // the file holds its size field
  uint32_t size = 0;     // as read
};

// What a walk finds, told in file order. A chunk's bytes stay those of the
// bytes walked.
class SceneWalkSink {
 public:
  virtual ~SceneWalkSink() = default;
  virtual void Root(const RootHeader&) {}
  virtual void HeadChunk(const WalkedChunk&) {}
  virtual void HeadDone() {}
  // Told before its problems, and those of its chunks.
  virtual void Section(const WalkedSection&) {}
  virtual void SectionChunk(const WalkedChunk&) {}
  virtual void SectionDone() {}
  virtual void Problem(const LayoutProblem&) {}
};

enum class WalkUntil : uint8_t { End, LoadFailure };

// Bytes that are still being read while they are walked: the walk asks for
// those it is about to look at, or tell a sink about, before it does.
class ByteArrival {
 public:
  virtual ~ByteArrival() = default;
  // Returns once at least the first `upTo` bytes are in (all, at most); how
  // many are. Raises when they can't come.
  virtual size_t Await(size_t upTo) = 0;
};

// Walks a file of `fileLength` bytes, of which `bytes` are the first: all, or
// as many as SceneFileBytes takes (the root header alone, or what the root
// covers). With an arrival, they are there only as far as it says. False when
// the walk ended where it needed a byte beyond them; what it found up to
// there was told.
bool WalkScene(ByteView bytes, uint64_t fileLength, SceneWalkSink& sink, WalkUntil until,
               ByteArrival* arrival = nullptr);

// A chunk that must end within `left` bytes and has a sound size field.
constexpr bool ChunkFits(uint64_t left, uint32_t size) { return size >= kChunkHeaderSize && size <= left; }
// The problem of a chunk at `offset` that does not fit, its header (`type`,
// `size`) read when the `left` bytes hold it.
LayoutProblem ChunkFault(uint64_t offset, uint64_t left, uint16_t type, uint32_t size, ChunkBound bound);

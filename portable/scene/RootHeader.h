#pragma once
// The root header, a scene file's first six bytes: the signature and the root
// size. What a load demands of it, in one place, so that a file it refuses
// is refused before the rest of it is read, however long it is.

#include <cstdint>
#include <optional>
#include <span>

#include "scene/ChunkTypes.h"
#include "scene/LayoutProblem.h"

constexpr size_t kRootHeaderSize = kChunkHeaderSize;

struct RootHeader {
  size_t length = 0;       // how many of its bytes the file holds
  bool signature = false;  // it begins with kRootChunk
  int32_t rootSize = 0;    // as a load keeps it: the bytes that are there, little-endian
};

// A load reads sections while more than 2 bytes of the root are left after
// `at`: a root that ends 2 bytes past its last chunk still loads.
constexpr bool RootGoesOnAfter(uint64_t rootSize, uint64_t at) { return rootSize > at + 2; }

// The header at the start of `bytes`, which may hold fewer than its six.
RootHeader ReadRootHeader(std::span<const uint8_t> bytes);

// Why a load refuses a file of `fileLength` bytes that begins with `header`;
// nullopt when the load may read on.
std::optional<LayoutProblem> RootHeaderFault(const RootHeader& header, uint64_t fileLength);

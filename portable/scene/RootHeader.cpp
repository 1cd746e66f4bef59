#include "scene/RootHeader.h"

#include <algorithm>

#include "scene/LittleEndian.h"

RootHeader ReadRootHeader(std::span<const uint8_t> bytes) {
  uint8_t header[kRootHeaderSize] = {};
  const size_t length = std::min(bytes.size(), sizeof header);
  std::copy_n(bytes.begin(), length, header);
  return {length, length >= 2 && ReadU16LE(header) == kRootChunk, static_cast<int32_t>(ReadU32LE(header + 2))};
}

std::optional<LayoutProblem> RootHeaderFault(const RootHeader& header, uint64_t fileLength) {
  if (!header.signature) return LayoutProblem{.fault = LayoutFault::NoSignature, .offset = 0};
  constexpr uint64_t kSizeAt = 2;
  if (header.length < kRootHeaderSize) return LayoutProblem{.fault = LayoutFault::RootSizeCutShort, .offset = kSizeAt};
  const auto size = static_cast<uint32_t>(header.rootSize);
  if (header.rootSize < 0)
    return LayoutProblem{.fault = LayoutFault::RootSizeNegative, .offset = kSizeAt, .size = size};
  if (RootGoesOnAfter(size, fileLength))
    return LayoutProblem{.fault = LayoutFault::RootSizePastFile, .offset = kSizeAt, .size = size, .count = fileLength};
  return std::nullopt;
}

#include "scene/RootHeader.h"

#include <algorithm>
#include <string>

#include "scene/LittleEndian.h"

RootHeader ReadRootHeader(std::span<const uint8_t> bytes) {
  uint8_t header[kRootHeaderSize] = {};
  const size_t length = std::min(bytes.size(), sizeof header);
  std::copy_n(bytes.begin(), length, header);
  return {length, length >= 2 && ReadU16LE(header) == kRootChunk, static_cast<int32_t>(ReadU32LE(header + 2))};
}

std::optional<Exception> RootHeaderFault(const RootHeader& header, uint64_t fileLength) {
  using Code = Exception::Code;
  if (!header.signature) return Exception(Code::Invalid, "scene2.bin: incorrect file signature");
  if (header.length < kRootHeaderSize) return Exception(Code::Absent, "qScene2bin.ReadHeadFromStream: EOF");
  if (header.rootSize < 0)
    return Exception(Code::Invalid,
                     "qScene2bin.ReadHeadFromStream: root size " + std::to_string(header.rootSize) + " is negative");
  if (static_cast<uint64_t>(header.rootSize) > fileLength + 2)
    return Exception(Code::Invalid, "qScene2bin.ReadHeadFromStream: root size " + std::to_string(header.rootSize) +
                                        " exceeds the file's length " + std::to_string(fileLength));
  return std::nullopt;
}

#include "scene/ChunkFaults.h"

#include "scene/ChunkTypes.h"
#include "scene/Counted.h"
#include "scene/Hex.h"

std::string SubChunkRunFault(ByteView body, size_t at) {
  uint16_t type = 0;
  uint32_t size = 0;
  if (!body.ReadU16(at, type) || !body.ReadU32(at + 2, size))
    return Counted(body.Length() - at, "byte") + " at the chunk's end make no sub-chunk";
  if (size < kChunkHeaderSize)
    return "sub-chunk " + HexUpper(type, 4) + " has size " + std::to_string(size) + ", less than its header";
  return "sub-chunk " + HexUpper(type, 4) + " of size " + std::to_string(size) + " runs past the end of its chunk by " +
         Counted(size - (body.Length() - at), "byte");
}

std::string NameLengthFault(ByteView chunk, uint32_t at) {
  uint32_t length = 0;
  if (!chunk.ReadU32(at, length)) return "the chunk ends before the length of its name";
  const size_t room = chunk.Length() - at - 4;
  if (length <= room) return "";
  return "its name's length " + std::to_string(length) + " runs past the chunk's end by " +
         Counted(length - room, "byte");
}

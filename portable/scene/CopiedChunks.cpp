#include "scene/CopiedChunks.h"

#include <cstring>
#include <string>

#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "scene/DncImport.h"
#include "scene/Hex.h"
#include "scene/LittleEndian.h"

namespace {

constexpr char kMagic[8] = {'S', '2', 'C', 'H', 'U', 'N', 'K', 'S'};
constexpr size_t kVersionAt = 8;
constexpr size_t kLengthAt = 10;
constexpr size_t kCountAt = 14;
constexpr size_t kHeaderSize = 18;
// A section code and a chunk's header: the least that one chunk takes.
constexpr size_t kSmallestEntry = 2 + kChunkHeaderSize;

SceneError Refused(const std::string& reason) { return {SceneFault::PasteRefused, reason}; }

}  // namespace

std::vector<uint8_t> CopiedChunksBlock(std::span<const ByteView> chunks) {
  size_t length = kHeaderSize;
  for (const ByteView chunk : chunks) length += 2 + chunk.Length();
  std::vector<uint8_t> block(length);
  std::memcpy(block.data(), kMagic, sizeof kMagic);
  WriteU16LE(block.data() + kVersionAt, kCopiedChunksVersion);
  WriteU32LE(block.data() + kLengthAt, static_cast<uint32_t>(length));
  WriteU32LE(block.data() + kCountAt, static_cast<uint32_t>(chunks.size()));
  uint8_t* at = block.data() + kHeaderSize;
  for (const ByteView chunk : chunks) {
    WriteU16LE(at, SectionOfItemType(GetChunkType(chunk))->code);
    if (chunk.Length() > 0) std::memcpy(at + 2, chunk.Data(), chunk.Length());
    at += 2 + chunk.Length();
  }
  return block;
}

Outcome<std::vector<Chunk>> ReadCopiedChunks(ByteView block) {
  uint16_t version = 0;
  uint32_t length = 0;
  uint32_t count = 0;
  if (block.Length() < kHeaderSize || std::memcmp(block.Data(), kMagic, sizeof kMagic) != 0)
    return Refused("they are not chunks copied in the editor");
  block.ReadU16(kVersionAt, version);
  block.ReadU32(kLengthAt, length);
  block.ReadU32(kCountAt, count);
  if (version != kCopiedChunksVersion)
    return Refused("they were copied by another version of the editor (format " + std::to_string(version) + ")");
  if (length < kHeaderSize)
    return Refused("their length field says " + std::to_string(length) + " bytes, less than their header");
  if (length > block.Length())
    return Refused("their length field says " + std::to_string(length) + " bytes, but " +
                   std::to_string(block.Length()) + " are there");
  if (count == 0) return Refused("they are no chunks at all");
  if (count > (length - kHeaderSize) / kSmallestEntry)
    return Refused(std::to_string(count) + " chunks can't lie in " + std::to_string(length) + " bytes");

  std::vector<Chunk> chunks;
  chunks.reserve(count);
  size_t at = kHeaderSize;
  for (uint32_t number = 1; number <= count; ++number) {
    const std::string which = "chunk " + std::to_string(number) + " of " + std::to_string(count) + ": ";
    uint16_t code = 0;
    uint32_t size = 0;
    if (!block.ReadU16(at, code) || !block.ReadU32(at + 4, size) || at + 2 + kChunkHeaderSize > length)
      return Refused(which + "the bytes end before its header");
    const SceneSection* section = SectionByCode(code);
    if (section == nullptr) return Refused(which + "section code " + HexUpper(code, 4) + " is none of a scene's");
    at += 2;
    if (size < kChunkHeaderSize || size > length - at)
      return Refused(which + "its size field says " + std::to_string(size) + " bytes, but " +
                     std::to_string(length - at) + " are left");
    Outcome<Chunk> chunk = ReadDncChunk(block.Part(at, size));
    if (!chunk.ok()) return Refused(which + chunk.failure().message);
    if (GetChunkType(chunk.value().Bytes()) != section->itemType)
      return Refused(which + "a chunk of type " + HexUpper(GetChunkType(chunk.value().Bytes()), 4) +
                     " is said to be of the " + section->word);
    chunks.push_back(std::move(chunk.value()));
    at += size;
  }
  if (at != length) return Refused(std::to_string(length - at) + " bytes lie after the last chunk");
  return chunks;
}

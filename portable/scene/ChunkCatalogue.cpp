#include "scene/ChunkCatalogue.h"

#include <cstring>
#include <iterator>

#include "scene/ChunkTypes.h"
#include "scene/Hex.h"
#include "scene/KnownValues.h"
#include "scene/LittleEndian.h"
#include "scene/SubChunkWalk.h"

namespace {

constexpr NamedCode kObjectTypeNames[] = {
    {kOtherObjectType, "other"},
    {kLightObjectType, "light"},
    {kCameraObjectType, "camera"},
    {kSoundObjectType, "sound"},
    {kStandartObjectType, "standart"},
    {kModelObjectType, "model"},
    {kOccluderObjectType, "occluder"},
    {kCityMusicObjectType, "city music"},
    {kLightmapObjectType, "LMAP"},
    {kSectorObjectType, "sector"},
    {kLensFlareObjectType, "LENSF settings"},
};
static_assert(std::size(kObjectTypeNames) == kKnownObjectTypeCount);

// The named entries of the definition type table; its other codes up to
// kDefinitionTypeCount - 1 are known but have no name.
constexpr NamedCode kDefinitionTypeNames[] = {
    {1, "ghost object"},     {2, "player"},         {4, "car"},
    {5, "script"},           {6, "door"},           {8, "metro"},
    {10, "bottle"},          {12, "traffic setup"}, {18, "pedestrian setup"},
    {20, "bridge"},          {21, "dog"},           {22, "plane"},
    {24, "route"},           {25, "pumpar"},        {27, "enemy"},
    {28, "race camera"},     {30, "wagon"},         {34, "clock"},
    {35, "phisical object"}, {36, "truck"},
};

template <size_t N>
const char* FindName(const NamedCode (&table)[N], uint32_t code) {
  for (const NamedCode& entry : table)
    if (entry.code == code) return entry.name;
  return nullptr;
}

// The 32-bit code at the payload of the first `subChunk`, if there is one. A
// code cut short by the chunk's end reads its missing bytes as zero.
bool ReadSubChunkCode(ByteView chunk, uint16_t subChunk, uint32_t& code) {
  uint32_t offset = 0;
  uint32_t size = 0;
  if (!FindSubChunk(chunk, subChunk, offset, size)) return false;
  const ByteView there = chunk.Part(offset + kChunkHeaderSize, 4);
  uint8_t bytes[4] = {};
  if (there.Length() > 0) std::memcpy(bytes, there.Data(), there.Length());
  code = ReadU32LE(bytes);
  return true;
}

}  // namespace

uint16_t GetChunkType(ByteView chunk) {
  uint16_t type = 0;
  chunk.ReadU16(0, type);
  return type;
}

bool FindSubChunk(ByteView chunk, uint16_t type, uint32_t& offset, uint32_t& size) {
  // A sub-chunk that runs past the chunk is found too: a name in it then
  // reads up to the chunk's end.
  const std::optional<SubChunk> found = FindSubChunk(ChunkBody(chunk), type, Overrun::GivenOut);
  if (!found) return false;
  offset = static_cast<uint32_t>(kChunkHeaderSize + found->Offset);
  size = found->Size;
  return true;
}

uint32_t GetObjectType(ByteView chunk) {
  uint32_t code = 0;
  if (ReadSubChunkCode(chunk, kObjectTypeChunk, code)) return code;
  uint32_t offset = 0;
  uint32_t size = 0;
  return FindSubChunk(chunk, kLightmapChunk, offset, size) ? kLightmapObjectType : 0;
}

std::span<const NamedCode> ObjectTypeTable() { return kObjectTypeNames; }

std::span<const NamedCode> NamedDefinitionTypeTable() { return kDefinitionTypeNames; }

int KnownObjectTypeIndex(uint32_t code) {
  for (int index = 0; index < kKnownObjectTypeCount; ++index)
    if (kObjectTypeNames[index].code == code) return index;
  return -1;
}

std::string ObjectTypeName(uint32_t code) {
  const char* name = FindName(kObjectTypeNames, code);
  return name != nullptr ? name : "0x" + HexUpper(code, 8);
}

uint32_t GetDefinitionType(ByteView chunk) {
  uint32_t code = 0;
  ReadSubChunkCode(chunk, kDefinitionTypeChunk, code);
  return code;
}

std::string DefinitionTypeName(uint32_t code) {
  const char* name = FindName(kDefinitionTypeNames, code);
  return name != nullptr ? name : "0x" + HexUpper(code, 2);
}

namespace {

// The payload that holds the chunk's name; nullopt where there is none,
// with why in `why` when asked: names compared by the half million ask not.
std::optional<ByteView> NamePayload(ByteView chunk, SceneError* why) {
  const uint16_t type = GetChunkType(chunk);
  const SceneSection* section = SectionOfItemType(type);
  if (section == nullptr) {
    if (why != nullptr) *why = {SceneFault::NotAnItem, "unknown chunk " + HexLower(type, 4)};
    return std::nullopt;
  }
  size_t at = 0;
  uint32_t length = 0;
  if (section->NamedBySubChunk()) {
    uint32_t offset = 0;
    uint32_t size = 0;
    if (!FindSubChunk(chunk, section->nameChunk, offset, size)) {
      if (why != nullptr) *why = {SceneFault::NoNameSubChunk, "GetChunkName: NAME=NULL"};
      return std::nullopt;
    }
    at = offset + kChunkHeaderSize;
    length = size - kChunkHeaderSize;
  } else {
    // A length field cut short by the chunk's end promises nothing.
    chunk.ReadU32(section->nameLengthAt, length);
    at = section->nameLengthAt + 4;
  }
  // A name longer than the chunk reads up to the chunk's end.
  return chunk.Part(at, length);
}

}  // namespace

Outcome<std::string> ReadChunkName(ByteView chunk) {
  SceneError why{};
  const std::optional<ByteView> payload = NamePayload(chunk, &why);
  if (!payload) return why;
  return ReadName(*payload);
}

std::string ChunkName(ByteView chunk) { return std::string(ChunkNameView(chunk)); }

std::string_view ChunkNameView(ByteView chunk) {
  const std::optional<ByteView> payload = NamePayload(chunk, nullptr);
  if (!payload) return {};
  std::string_view name(reinterpret_cast<const char*>(payload->Data()), payload->Length());
  if (!name.empty() && name.back() == '\0') name.remove_suffix(1);  // as ReadName reads it
  return name;
}

bool SameName(ByteView before, ByteView after) {
  const std::optional<ByteView> payload = NamePayload(before, nullptr);
  if (payload && payload->Data() != nullptr && before.Length() == after.Length()) {
    // The name is found and read from the bytes up to its end alone, and
    // how far the chunk runs: equal bytes up to there hold an equal name.
    const size_t end = static_cast<size_t>(payload->Data() - before.Data()) + payload->Length();
    if (std::memcmp(before.Data(), after.Data(), end) == 0) return true;
  }
  return ChunkNameView(before) == ChunkNameView(after);
}

std::optional<NameSubChunk> FindNameSubChunk(ByteView chunk) {
  const SceneSection* section = SectionOfItemType(GetChunkType(chunk));
  NameSubChunk place{};
  if (section == nullptr || !section->NamedBySubChunk() ||
      !FindSubChunk(chunk, section->nameChunk, place.offset, place.size))
    return std::nullopt;
  return place;
}

int32_t FindChunkByName(const ChunkList& list, const std::string& name) {
  const std::span<const ChunkEntry> entries = list.Entries();
  for (size_t index = 0; index < entries.size(); ++index)
    if (ChunkNameView(entries[index].chunk.Bytes()) == name) return static_cast<int32_t>(index);
  return -1;
}

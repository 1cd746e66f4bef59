#include "scene/ChunkCatalogue.h"

#include <algorithm>
#include <iterator>

#include "scene/ChunkTypes.h"
#include "scene/Exception.h"
#include "scene/Hex.h"
#include "scene/SubChunkWalk.h"
#include "scene/Trace.h"

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

// The 32-bit code at the payload of the first `subChunk`, if there is one.
bool ReadSubChunkCode(TMemoryStream& chunk, uint16_t subChunk, uint32_t& code) {
  uint32_t offset = 0;
  uint32_t size = 0;
  if (!FindSubChunk(chunk, subChunk, offset, size)) return false;
  code = chunk.ReadU32();
  return true;
}

// Reads `length` bytes from the stream's position, or what is left of them.
std::string ReadNameBytes(TMemoryStream& chunk, uint32_t length) {
  const int64_t left = std::max<int64_t>(0, chunk.Size() - chunk.Position());
  std::string name(static_cast<size_t>(std::min<int64_t>(length, left)), '\0');
  name.resize(chunk.Read(name.data(), name.size()));
  return name;
}

}  // namespace

uint16_t GetChunkType(TMemoryStream& chunk) {
  chunk.Seek(0, TStream::Origin::Begin);
  return chunk.ReadU16();
}

bool FindSubChunk(TMemoryStream& chunk, uint16_t type, uint32_t& offset, uint32_t& size) {
  // A sub-chunk that runs past the chunk is found too: a name in it then
  // reads up to the chunk's end.
  const std::optional<SubChunk> found =
      FindSubChunk(ChunkBody(ByteView(chunk.Data(), static_cast<size_t>(chunk.Size()))), type, Overrun::GivenOut);
  if (!found) return false;
  offset = static_cast<uint32_t>(kChunkHeaderSize + found->Offset);
  size = found->Size;
  chunk.Seek(offset + kChunkHeaderSize, TStream::Origin::Begin);
  return true;
}

uint32_t GetObjectType(TMemoryStream& chunk) {
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

uint32_t GetDefinitionType(TMemoryStream& chunk) {
  uint32_t code = 0;
  ReadSubChunkCode(chunk, kDefinitionTypeChunk, code);
  return code;
}

std::string DefinitionTypeName(uint32_t code) {
  const char* name = FindName(kDefinitionTypeNames, code);
  return name != nullptr ? name : "0x" + HexUpper(code, 2);
}

bool ReadChunkName(TMemoryStream& chunk, std::string& name, std::string& failure) {
  name.clear();
  try {
    uint32_t offset = 0;
    uint32_t size = 0;
    uint32_t length = 0;
    const uint16_t type = GetChunkType(chunk);
    switch (type) {
      case kObjectChunk:
      case kDefinitionChunk: {
        const uint16_t nameChunk = type == kObjectChunk ? kObjectNameChunk : kDefinitionNameChunk;
        if (!FindSubChunk(chunk, nameChunk, offset, size))
          throw Exception(Exception::Code::Absent, "GetChunkName: NAME=NULL");
        length = size - kChunkHeaderSize;
        break;
      }
      case kInitScriptChunk:
      case kVisualEffectChunk: {
        const int64_t at = type == kInitScriptChunk ? kInitScriptNameLengthOffset : kVisualEffectNameLengthOffset;
        chunk.Seek(at, TStream::Origin::Begin);
        // A length field cut short by the chunk's end promises nothing.
        length = chunk.Size() - at >= 4 ? chunk.ReadU32() : 0;
        break;
      }
      default:
        throw Exception(Exception::Code::Absent, "unknown chunk " + HexLower(type, 4));
    }
    name = ReadNameBytes(chunk, length);
    if (!name.empty() && name.back() == '\0') name.pop_back();
    return true;
  } catch (const std::exception& error) {
    failure = FailureMessage(error);
    name.clear();
    return false;
  }
}

void GetChunkName(TMemoryStream& chunk, std::string& name) {
  std::string failure;
  if (!ReadChunkName(chunk, name, failure)) Trace("qScene2bin.GetChunkName: " + failure);
}

std::string GetChunkName(TMemoryStream& chunk) {
  std::string name;
  GetChunkName(chunk, name);
  return name;
}

void GetChunkNameOffsSize(TMemoryStream& chunk, uint32_t& offset, uint32_t& size) {
  const uint16_t type = GetChunkType(chunk);
  if (type != kObjectChunk && type != kDefinitionChunk)
    throw Exception(Exception::Code::Invalid, "GetChunkNameOffsSize: unk chunk type");
  const uint16_t nameChunk = type == kObjectChunk ? kObjectNameChunk : kDefinitionNameChunk;
  if (!FindSubChunk(chunk, nameChunk, offset, size))
    throw Exception(Exception::Code::Absent, "GetChunkNameOffsSize: NAME=NULL");
}

int32_t FindChunkByName(const ChunkList& list, const std::string& name) {
  for (int32_t index = 0; index < list.Count(); ++index)
    if (GetChunkName(*list.At(index)) == name) return index;
  return -1;
}

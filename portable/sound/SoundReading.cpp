#include "sound/SoundReading.h"

#include <array>
#include <cstddef>

#include "sound/DecreaseRadius.h"
#include "sound/NumberText.h"
#include "scene/ChunkTypes.h"
#include "scene/SubChunkWalk.h"

namespace {

// A value that does not fit inside its own sub-chunk is dropped whole: the
// field keeps what it had rather than taking bytes of whatever follows.
template <size_t N>
bool ReadFloats(ByteView payload, std::array<float, N>& values) {
  for (size_t i = 0; i < N; ++i)
    if (!payload.ReadFloat(4 * i, values[i])) return false;
  return true;
}

template <size_t N>
void ReadFloatTexts(ByteView payload, std::array<std::string, N>& texts) {
  std::array<float, N> values{};
  if (!ReadFloats(payload, values)) return;
  for (size_t i = 0; i < N; ++i) texts[i] = FormatNumber(values[i]);
}

int SoundTypeIndex(uint32_t stored) {
  const auto value = static_cast<int32_t>(stored);
  return value >= 1 && value <= 3 ? value - 1 : -1;
}

void ReadRadii(ByteView payload, SoundFields& fields) {
  std::array<float, 4> radii{};
  if (!ReadFloats(payload, radii)) return;
  fields.ConstRadius = FormatNumber(radii[0]);
  fields.DecreaseRadius = DecreaseRadiusText(radii[0], radii[1]);
  fields.MinLevel = LevelFromStored(radii[2]);
  fields.MaxLevel = LevelFromStored(radii[3]);
}

void ReadSoundProperties(ByteView body, SoundFields& fields) {
  SubChunkWalk walk(body);
  for (SubChunk sub; walk.Next(sub);) {
    uint32_t number = 0;
    float value = 0;
    switch (sub.Type) {
      case kObjectNameChunk:
        fields.SoundFile = sub.Payload.TextUpToNul();
        break;
      case kSoundTypeChunk:
        if (sub.Payload.ReadU32(0, number)) fields.SoundType = SoundTypeIndex(number);
        break;
      case kVolumeChunk:
        if (sub.Payload.ReadFloat(0, value)) fields.Volume = LevelFromStored(value);
        break;
      case kExtraChunk:
        ReadFloatTexts(sub.Payload, fields.Extra);
        break;
      case kRadiiChunk:
        ReadRadii(sub.Payload, fields);
        break;
      case kSoundSectorChunk:
        fields.SoundSector = sub.Payload.TextUpToNul();
        break;
      case kSpeedChunk:
        if (sub.Payload.ReadFloat(0, value)) fields.Speed = FormatNumber(value);
        break;
      default:
        break;
    }
  }
}

// The parent is taken only from a name sub-chunk that comes first inside it.
void ReadParent(ByteView body, SoundFields& fields) {
  SubChunkWalk walk(body);
  SubChunk first;
  if (walk.Next(first) && first.Type == kObjectNameChunk) fields.ParentSector = first.Payload.TextUpToNul();
}

int32_t ObjectType(ByteView body) {
  const auto typeChunk = FindSubChunk(body, kObjectTypeChunk);
  uint32_t type = 0;
  if (typeChunk) typeChunk->Payload.ReadU32(0, type);
  return static_cast<int32_t>(type);
}

}  // namespace

std::string WrongObjectTypeMessage(int32_t type) {
  return "Incorrect object type: " + std::to_string(type) +
         "\rNeeds sound object, type: " + std::to_string(kSoundObjectType);
}

bool ReadSoundObject(SoundFields& fields, const uint8_t* data, int32_t size, const ShowMessage& showMessage) {
  SetSoundDefaults(fields);
  if (data == nullptr) return true;

  // A view of the host's bytes rather than a copy: no allocation that could
  // fail, and every read is checked against `size` itself.
  const ByteView body = ChunkBody(ByteView(data, size > 0 ? static_cast<size_t>(size) : 0));
  const int32_t type = ObjectType(body);
  if (type != static_cast<int32_t>(kSoundObjectType)) {
    showMessage(WrongObjectTypeMessage(type));
    return false;
  }

  SubChunkWalk walk(body);
  for (SubChunk sub; walk.Next(sub);) {
    switch (sub.Type) {
      case kObjectNameChunk:
        fields.Name = sub.Payload.Bytes();
        break;
      case kPositionChunk:
        ReadFloatTexts(sub.Payload, fields.Position);
        break;
      case kRotationChunk:
        ReadFloatTexts(sub.Payload, fields.Rotation);
        break;
      case kScaleChunk:
        ReadFloatTexts(sub.Payload, fields.Scale);
        break;
      case kParentChunk:
        ReadParent(sub.Payload, fields);
        break;
      case kSoundChunk:
        ReadSoundProperties(sub.Payload, fields);
        break;
      default:
        break;
    }
  }
  return true;
}

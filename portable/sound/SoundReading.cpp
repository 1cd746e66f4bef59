#include "sound/SoundReading.h"

#include <array>
#include <cstddef>
#include <vector>

#include "sound/DecreaseRadius.h"
#include "sound/NumberText.h"
#include "scene/KnownValues.h"
#include "scene/SubChunkWalk.h"

namespace {

// `values` are a sub-chunk's floats as its entry counts them, and none where
// they are cut short: a value that does not fit inside its own sub-chunk is
// dropped whole, the field keeping what it had rather than taking bytes of
// whatever follows.
template <size_t N>
void TakeFloatTexts(const std::vector<float>& values, std::array<std::string, N>& texts) {
  if (values.size() != N) return;
  for (size_t i = 0; i < N; ++i) texts[i] = FormatNumber(values[i]);
}

int SoundTypeIndex(uint32_t stored) {
  const auto value = static_cast<int32_t>(stored);
  return value >= 1 && value <= 3 ? value - 1 : -1;
}

void TakeRadii(const std::vector<float>& radii, SoundFields& fields) {
  fields.ConstRadius = FormatNumber(radii[0]);
  fields.DecreaseRadius = DecreaseRadiusText(radii[0], radii[1]);
  fields.MinLevel = LevelFromStored(radii[2]);
  fields.MaxLevel = LevelFromStored(radii[3]);
}

void ReadSoundProperties(ByteView body, SoundFields& fields) {
  SubChunkWalk walk(body);
  for (SubChunk sub; walk.Next(sub);) {
    const KnownSubChunk* known = FindKnownSubChunk(SubChunkRun::Sound, sub.Type);
    if (known == nullptr) continue;
    const std::vector<float> floats = ReadFloats(*known, sub.Payload);
    uint32_t code = 0;
    switch (sub.Type) {
      case kObjectNameChunk:
        fields.SoundFile = ReadText(sub.Payload);
        break;
      case kSoundTypeChunk:
        if (ReadCode(sub.Payload, code)) fields.SoundType = SoundTypeIndex(code);
        break;
      case kVolumeChunk:
        if (!floats.empty()) fields.Volume = LevelFromStored(floats[0]);
        break;
      case kExtraChunk:
        TakeFloatTexts(floats, fields.Extra);
        break;
      case kRadiiChunk:
        if (!floats.empty()) TakeRadii(floats, fields);
        break;
      case kSoundSectorChunk:
        fields.SoundSector = ReadText(sub.Payload);
        break;
      case kSpeedChunk:
        if (!floats.empty()) fields.Speed = FormatNumber(floats[0]);
        break;
      default:
        break;
    }
  }
}

// The parent is taken only from a name sub-chunk that comes first inside it,
// and up to its first zero, as the plug-in writes it back closed by one.
void ReadParent(ByteView body, SoundFields& fields) {
  SubChunkWalk walk(body);
  SubChunk first;
  if (walk.Next(first) && first.Type == kObjectNameChunk) fields.ParentSector = ReadText(first.Payload);
}

int32_t ObjectType(ByteView body) {
  const auto typeChunk = FindSubChunk(body, kObjectTypeChunk);
  uint32_t type = 0;
  if (typeChunk) ReadCode(typeChunk->Payload, type);
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
    const KnownSubChunk* known = FindKnownSubChunk(SubChunkRun::Object, sub.Type);
    if (known == nullptr) continue;
    const std::vector<float> floats = ReadFloats(*known, sub.Payload);
    switch (sub.Type) {
      case kObjectNameChunk:
        fields.Name = sub.Payload.Bytes();
        break;
      case kPositionChunk:
        TakeFloatTexts(floats, fields.Position);
        break;
      case kRotationChunk:
        TakeFloatTexts(floats, fields.Rotation);
        break;
      case kScaleChunk:
        TakeFloatTexts(floats, fields.Scale);
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

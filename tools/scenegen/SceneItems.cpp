#include "tools/scenegen/SceneItems.h"

#include <iterator>
#include <utility>

#include "sound/NumberText.h"
#include "sound/SoundWriting.h"
#include "scene/ChunkCatalogue.h"
#include "scene/KnownValues.h"
#include "tools/scenegen/ItemNames.h"

namespace {

// Sub-chunks that only generated scenes carry; the toolset reads none of them.
constexpr uint16_t kLightChunk = 0x4040;
constexpr uint16_t kModelFileChunk = 0x2012;
constexpr uint16_t kDefinitionPositionChunk = 0xAE24;
constexpr uint16_t kDefinitionFlagsChunk = 0xAE26;
constexpr uint16_t kDefinitionLinkChunk = 0xAE30;

// How often a type is drawn, and the word its items are named with. The types
// themselves are the catalogue's: one it gains is generated too, rarely and
// named after its display name.
constexpr Look kObjectLooks[] = {
    {kModelObjectType, 30, "building"}, {kStandartObjectType, 25, "crate"},     {kLightObjectType, 10, "lamp"},
    {kSoundObjectType, 8, "sound"},     {kSectorObjectType, 6, "sector"},       {kLightmapObjectType, 5, "lightmap"},
    {kOtherObjectType, 5, "node"},      {kOccluderObjectType, 4, "occluder"},   {kCameraObjectType, 3, "camera"},
    {kCityMusicObjectType, 2, "music"}, {kLensFlareObjectType, 2, "lensflare"},
};
constexpr Look kDefinitionLooks[] = {
    {1, 1, "ghost"},    {2, 1, "player"},  {4, 1, "car"},      {5, 1, "script"},   {6, 1, "door"},
    {8, 1, "metro"},    {10, 1, "bottle"}, {12, 1, "traffic"}, {18, 1, "walkers"}, {20, 1, "bridge"},
    {21, 1, "dog"},     {22, 1, "plane"},  {24, 1, "route"},   {25, 1, "pumpar"},  {27, 1, "enemy"},
    {28, 1, "racecam"}, {30, 1, "wagon"},  {34, 1, "clock"},   {35, 1, "physics"}, {36, 1, "truck"},
};
constexpr uint32_t kUnknownObjectTypes[] = {1, 5, 0x77};
constexpr uint32_t kUnknownDefinitionTypes[] = {37, 40, 255, 418};

template <size_t N>
Look LookOf(const Look (&looks)[N], const NamedCode& type) {
  for (const Look& look : looks)
    if (look.code == type.code) return look;
  return {type.code, 1, type.name};
}
const char* const kScriptWords[] = {"init", "mission", "traffic", "enemy"};
const char* const kEffectWords[] = {"smoke", "fire", "glow", "dust", "spark"};
const char* const kScriptLines[] = {
    "dim_act 1\r\n",     "dim_flt 4\r\n",    "wait 100\r\n",
    "label 1\r\n",       "goto 1\r\n",       "return\r\n",
    "event use_ab\r\n",  "// set up\r\n",    "actor_setdir 0, 90\r\n",
    "flag_set 7, 0\r\n", "setcompass 0\r\n", "if_flag 2, 1, 1\r\n",
};
constexpr uint16_t kHeadTypes[] = {0x0002, 0x0005, 0x0100, 0x3200, 0xAE00};

// Rotations as unit quaternions (x, y, z, w) written as constants: computing
// them would bring in the maths library, whose last bits differ by platform.
constexpr float kRotations[][FloatCount(SubChunkRun::Object, kRotationChunk)] = {
    {0, 0, 0, 1}, {0, 0.70710677f, 0, 0.70710677f}, {0, 1, 0, 0}, {0, -0.70710677f, 0, 0.70710677f}};

// A number of quarter units from low to high. Both steps are exact in single
// precision, so the value is the same whatever precision the compiler uses.
float Quarters(TRandom& random, int64_t low, int64_t high) {
  return static_cast<float>(random.Between(low, high)) * 0.25f;
}

void RandomBytes(ChunkWriter& chunk, TRandom& random, int64_t count) {
  for (; count > 0; --count) chunk.U8(static_cast<uint8_t>(random.Next()));
}

// A sub-chunk that refers to another item by holding a name sub-chunk of its own.
void NameLink(ChunkWriter& chunk, uint16_t linkType, uint16_t nameType, const std::string& name) {
  chunk.Open(linkType);
  chunk.Open(nameType);
  chunk.Text(name);
  chunk.Close();
  chunk.Close();
}

const char* WordOf(const std::vector<Look>& looks, uint32_t code, const char* otherwise) {
  for (const Look& look : looks)
    if (look.code == code) return look.word;
  return otherwise;
}

}  // namespace

const char* ScriptLine(TRandom& random) { return random.Pick(kScriptLines); }

SceneItems::SceneItems(TRandom& random, bool unknownTypes, std::string oneName)
    : random_(random), unknownTypes_(unknownTypes), oneName_(std::move(oneName)) {
  for (const NamedCode& type : ObjectTypeTable()) {
    objectLooks_.push_back(LookOf(kObjectLooks, type));
    objectWeights_ += objectLooks_.back().weight;
    firstObjectTypes_.push_back(type.code);
  }
  for (const NamedCode& type : NamedDefinitionTypeTable()) definitionLooks_.push_back(LookOf(kDefinitionLooks, type));
  for (size_t i = firstObjectTypes_.size() - 1; i > 0; --i)
    std::swap(firstObjectTypes_[i], firstObjectTypes_[random_.Index(i + 1)]);
}

void SceneItems::Head(ChunkWriter& chunk, uint32_t serial) {
  // The first head chunk holds a version number; the others are opaque bytes.
  if (serial == 1) {
    chunk.Open(0x0001);
    chunk.U32(static_cast<uint32_t>(random_.Between(1, 3)));
  } else {
    chunk.Open(random_.Pick(kHeadTypes));
    RandomBytes(chunk, random_, random_.Between(4, 48));
  }
  chunk.Close();
}

uint32_t SceneItems::ObjectType(uint32_t serial) {
  if (serial <= firstObjectTypes_.size()) return firstObjectTypes_[serial - 1];
  if (unknownTypes_ && random_.Percent(4)) return random_.Pick(kUnknownObjectTypes);
  unsigned roll = static_cast<unsigned>(random_.Below(objectWeights_));
  for (const Look& look : objectLooks_) {
    if (roll < look.weight) return look.code;
    roll -= look.weight;
  }
  return kModelObjectType;
}

std::string SceneItems::Name(const std::string& word, uint32_t serial) {
  return oneName_.empty() ? ItemName(random_, word, serial) : oneName_;
}

std::array<float, FloatCount(SubChunkRun::Object, kPositionChunk)> SceneItems::Position() {
  std::array<float, FloatCount(SubChunkRun::Object, kPositionChunk)> position;
  for (float& axis : position) axis = Quarters(random_, -40000, 40000);
  return position;
}

void SceneItems::SoundObject(ChunkWriter& chunk, uint32_t serial) {
  // Texts as the plug-in shows numbers, of values that single floats hold
  // exactly, so that the object reads back as the fields it was written from.
  const auto number = [this](int64_t low, int64_t high) { return FormatNumber(Quarters(random_, low, high)); };
  SoundFields fields;
  fields.Name = Name("sound", serial) + std::string(1, '\0');
  for (std::string& axis : fields.Position) axis = number(-40000, 40000);
  const float* rotation = kRotations[random_.Below(std::size(kRotations))];
  for (size_t part = 0; part < fields.Rotation.size(); ++part) fields.Rotation[part] = FormatNumber(rotation[part]);
  fields.Scale.fill(random_.Percent(80) ? "1" : number(1, 16));
  fields.ParentSector = NumberedName("sector", static_cast<uint32_t>(random_.Between(1, serial)));
  fields.SoundFile = "sounds\\" + NumberedName("ambient", static_cast<uint32_t>(random_.Between(1, 60))) + ".wav";
  fields.SoundType = static_cast<int>(random_.Below(3));
  fields.Volume = static_cast<int>(random_.Between(1, LevelSteps));
  const float constRadius = Quarters(random_, 4, 200);
  fields.ConstRadius = FormatNumber(constRadius);
  fields.DecreaseRadius = FormatNumber(constRadius + Quarters(random_, 4, 800));
  fields.MinLevel = static_cast<int>(random_.Between(0, LevelSteps / 2));
  fields.MaxLevel = static_cast<int>(random_.Between(LevelSteps / 2, LevelSteps));
  fields.Extra = {number(0, 8), number(0, 8)};
  fields.Speed = number(1, 8);
  if (random_.Percent(50)) fields.SoundSector = NumberedName("zone", static_cast<uint32_t>(random_.Between(1, 20)));

  // Left open, as every item, so that padding can still go at its end.
  chunk.Open(kObjectChunk);
  WriteSoundObjectBody(chunk, fields);
}

void SceneItems::Object(ChunkWriter& chunk, uint32_t serial) {
  const uint32_t type = ObjectType(serial);
  if (type == kSoundObjectType) {
    SoundObject(chunk, serial);
    return;
  }
  const std::string word = WordOf(objectLooks_, type, "thing");
  // A lightmap object is known either by its type code or by a 0x4090 alone;
  // some objects of type "other" carry no type at all.
  const bool lightmapOnly = type == kLightmapObjectType && random_.Percent(50);
  const bool untyped = type == kOtherObjectType && random_.Percent(30);
  const bool alsoLightmap = !lightmapOnly && !untyped && random_.Percent(5);
  const bool typeFirst = random_.Percent(10);
  // A parent link holds a name sub-chunk of its own; placed before the object's
  // name, it catches a search that looks deeper than the direct children.
  const uint64_t parentPlace = random_.Below(5);  // 0: before the name, 1: at the end, else none

  chunk.Open(kObjectChunk);
  auto parent = [&] {
    const auto sector = static_cast<uint32_t>(random_.Between(1, serial));
    NameLink(chunk, kParentChunk, kObjectNameChunk, NumberedName("sector", sector));
  };
  auto typeCode = [&] {
    if (!lightmapOnly && !untyped) WriteCode(chunk, KnownEntry(SubChunkRun::Object, kObjectTypeChunk), type);
  };
  if (parentPlace == 0) parent();
  if (typeFirst) typeCode();
  WriteText(chunk, KnownEntry(SubChunkRun::Object, kObjectNameChunk), Name(word, serial));
  if (!typeFirst) typeCode();
  if (lightmapOnly || alsoLightmap) {
    chunk.Open(kLightmapChunk);
    RandomBytes(chunk, random_, random_.Between(4, 16));
    chunk.Close();
  }

  WriteFloats(chunk, KnownEntry(SubChunkRun::Object, kPositionChunk), Position());
  WriteFloats(chunk, KnownEntry(SubChunkRun::Object, kRotationChunk), kRotations[random_.Below(std::size(kRotations))]);
  std::array<float, FloatCount(SubChunkRun::Object, kScaleChunk)> scale;
  scale.fill(random_.Percent(80) ? 1.0f : Quarters(random_, 1, 16));
  WriteFloats(chunk, KnownEntry(SubChunkRun::Object, kScaleChunk), scale);

  switch (type) {
    case kLightObjectType:
      chunk.Open(kLightChunk);
      chunk.U32(static_cast<uint32_t>(random_.Between(1, 3)));
      for (int channel = 0; channel < 3; ++channel) chunk.Float(Quarters(random_, 0, 4));
      chunk.Float(static_cast<float>(random_.Between(4, 200)));
      chunk.Close();
      break;
    case kModelObjectType:
    case kStandartObjectType:
      chunk.Open(kModelFileChunk);
      chunk.Text(word + std::to_string(random_.Between(1, 40)) + ".i3d");
      chunk.Close();
      break;
    default:
      break;
  }
  if (parentPlace == 1) parent();
}

void SceneItems::Definition(ChunkWriter& chunk, uint32_t serial) {
  // Mostly the named types; the rest spread over every known code.
  uint32_t type = 0;
  if (unknownTypes_ && random_.Percent(5))
    type = random_.Pick(kUnknownDefinitionTypes);
  else if (random_.Percent(70))
    type = definitionLooks_[random_.Index(definitionLooks_.size())].code;
  else
    type = static_cast<uint32_t>(random_.Below(kDefinitionTypeCount));
  const bool nameFirst = random_.Percent(30);
  const std::string name = Name(WordOf(definitionLooks_, type, "def"), serial);

  chunk.Open(kDefinitionChunk);
  auto typeCode = [&] {
    chunk.Open(kDefinitionTypeChunk);
    chunk.U32(type);
    if (random_.Percent(50)) chunk.U32(static_cast<uint32_t>(random_.Below(256)));
    chunk.Close();
  };
  if (!nameFirst) typeCode();
  WriteText(chunk, KnownEntry(SubChunkRun::Definition, kDefinitionNameChunk), name);
  if (nameFirst) typeCode();
  chunk.Open(kDefinitionPositionChunk);
  for (const float axis : Position()) chunk.Float(axis);
  chunk.Close();
  chunk.Open(kDefinitionFlagsChunk);
  chunk.U32(static_cast<uint32_t>(random_.Below(16)));
  chunk.Close();
  if (random_.Percent(10))
    NameLink(chunk, kDefinitionLinkChunk, kDefinitionNameChunk,
             NumberedName("route", static_cast<uint32_t>(random_.Between(1, serial))));
}

void SceneItems::InitScript(ChunkWriter& chunk, uint32_t serial) {
  chunk.Open(kInitScriptChunk);
  chunk.U8(static_cast<uint8_t>(random_.Below(2)));
  chunk.CountedText(Name(random_.Pick(kScriptWords), serial));
  for (int64_t n = random_.Between(2, 8); n > 0; --n) chunk.Bytes(ScriptLine(random_));
}

void SceneItems::VisualEffect(ChunkWriter& chunk, uint32_t serial) {
  chunk.Open(kVisualEffectChunk);
  RandomBytes(chunk, random_, 10);
  chunk.CountedText(Name(random_.Pick(kEffectWords), serial));
  for (int64_t n = random_.Between(2, 8); n > 0; --n) chunk.Float(Quarters(random_, -400, 400));
}

#include "structure/SoundStructure.h"

#include <climits>
#include <set>

#include "scene/KnownValues.h"
#include "sound/Levels.h"
#include "sound/SoundReading.h"

namespace {

using Kind = StructureNode::Kind;

template <typename Texts>
std::string Joined(const Texts& texts) {
  std::string text;
  for (const std::string& part : texts) text += (text.empty() ? "" : ", ") + part;
  return text;
}

// A sub-chunk that the plug-in's walk reads: whole, within its chunk.
bool Read(const StructureNode& node) { return node.kind == Kind::Chunk && node.fault.empty(); }

size_t PayloadLength(const StructureNode& node) { return node.length - kChunkHeaderSize; }

void AddField(StructureNode& radii, size_t index, const char* what, std::string value, ValueKind kind) {
  StructureNode& field = radii.children.emplace_back();
  field.kind = Kind::Field;
  field.offset = radii.offset + kChunkHeaderSize + 4 * index;
  field.size = 4;
  field.length = 4;
  field.what = what;
  field.value = std::move(value);
  field.valueKind = kind;
}

// The plug-in keeps the value of the last sub-chunk of each type that it can
// read: the same one, walked from the end, gets the value here.
class SoundValues {
 public:
  explicit SoundValues(const SoundFields& fields) : fields_(fields) {}

  // A sub-chunk too short to hold its value whole gives the plug-in none.
  void Settings(StructureNode& node) {
    const KnownSubChunk* known = FindKnownSubChunk(SubChunkRun::Sound, node.type);
    if (known == nullptr || !Read(node) || done_.contains(node.type) || PayloadLength(node) < ValueLength(*known))
      return;
    switch (node.type) {
      case kObjectNameChunk:
        node.value = fields_.SoundFile;
        node.valueKind = ValueKind::Text;
        break;
      case kSoundTypeChunk:
        node.value = fields_.SoundType >= 0 ? kSoundTypeTexts[static_cast<size_t>(fields_.SoundType)] : "none";
        node.valueKind = ValueKind::SoundType;
        break;
      case kVolumeChunk:
        node.value = LevelText(fields_.Volume);
        node.valueKind = ValueKind::Level;
        break;
      case kExtraChunk:
        node.value = Joined(fields_.Extra);
        node.valueKind = ValueKind::Floats;
        node.count = known->count;
        break;
      case kRadiiChunk:
        AddField(node, 0, "const volume radius", fields_.ConstRadius, ValueKind::ConstRadius);
        AddField(node, 1, "decrease volume radius", fields_.DecreaseRadius, ValueKind::DecreaseRadius);
        AddField(node, 2, "min level", LevelText(fields_.MinLevel), ValueKind::Level);
        AddField(node, 3, "max level", LevelText(fields_.MaxLevel), ValueKind::Level);
        break;
      case kSpeedChunk:
        node.value = fields_.Speed;
        node.valueKind = ValueKind::Floats;
        node.count = known->count;
        break;
      case kSoundSectorChunk:
        node.value = fields_.SoundSector;
        node.valueKind = ValueKind::Text;
        break;
      default:
        return;
    }
    done_.insert(node.type);
  }

  // The parent sector comes from a name that stands first in the parent.
  void Parent(StructureNode& node) {
    if (!Read(node) || parentDone_ || node.children.empty()) return;
    StructureNode& first = node.children.front();
    if (!Read(first) || first.type != kObjectNameChunk) return;
    first.what = "sector";
    first.value = fields_.ParentSector;
    first.valueKind = ValueKind::Text;
    parentDone_ = true;
  }

 private:
  const SoundFields& fields_;
  std::set<uint16_t> done_;
  bool parentDone_ = false;
};

}  // namespace

void DescribeSoundFields(ByteView chunk, StructureNode& object) {
  SoundFields fields;
  if (chunk.Length() > INT_MAX ||
      !ReadSoundObject(fields, chunk.Data(), static_cast<int32_t>(chunk.Length()), [](const std::string&) {}))
    return;
  SoundValues values(fields);
  for (auto sub = object.children.rbegin(); sub != object.children.rend(); ++sub) {
    if (sub->type == kParentChunk) values.Parent(*sub);
    if (sub->type != kSoundChunk || !Read(*sub)) continue;
    for (auto setting = sub->children.rbegin(); setting != sub->children.rend(); ++setting) values.Settings(*setting);
  }
}

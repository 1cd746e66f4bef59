#pragma once
// The format's codes that more than one part of the toolset uses: the scene
// model, the plug-in, the command line and the generator all take them from
// here.

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

// Every chunk, at any depth: a 16-bit type, then a 32-bit size that counts
// these six header bytes too.
constexpr uint32_t kChunkHeaderSize = 6;

constexpr uint16_t kRootChunk = 0x4C53;  // the bytes "SL"

// Section codes.
constexpr uint16_t kObjectsSection = 0x4000;
constexpr uint16_t kDefinitionsSection = 0xAE20;
constexpr uint16_t kVisualEffectsSection = 0xAE02;
constexpr uint16_t kInitScriptsSection = 0xAE50;

// Scene item chunk types, one per section.
constexpr uint16_t kObjectChunk = 0x4010;
constexpr uint16_t kDefinitionChunk = 0xAE21;
constexpr uint16_t kVisualEffectChunk = 0xAE03;
constexpr uint16_t kInitScriptChunk = 0xAE51;

// The sub-chunks that hold the names of objects (and of an object's parent,
// and a sound's file) and of definitions.
constexpr uint16_t kObjectNameChunk = 0x0010;
constexpr uint16_t kDefinitionNameChunk = 0xAE23;

// The four sections of a scene, and all that the toolset tells apart by
// section. The table's order is the one in which the document counts them,
// the editor's tree is filled and every listing shows them.
struct SceneSection {
  uint16_t code;           // of the section chunk
  uint16_t itemType;       // of the chunks it holds
  size_t writePlace;       // in a saved file, and among the editor's section nodes: 0 first
  const char* word;        // as the command line takes it and the trace shows it
  const char* filePrefix;  // of the .dnc file that one of its chunks is exported to
  const char* nodeText;    // of the editor's section node
  bool typeFolders;        // the editor's tree puts its chunks in a folder per type
  const char* countLabel;  // of the trace line that counts its chunks after a load; null: none
  // Where its chunks keep their names: in a sub-chunk of this type, which a
  // rename rewrites; or, when 0, as a 32-bit length at nameLengthAt and the
  // name's bytes after it, which no edit changes.
  uint16_t nameChunk;
  uint32_t nameLengthAt;

  bool NamedBySubChunk() const { return nameChunk != 0; }
};

inline constexpr SceneSection kSceneSections[] = {
    {kObjectsSection, kObjectChunk, 0, "objects", "Obj_", "Objects", true, "objects: ", kObjectNameChunk, 0},
    {kDefinitionsSection, kDefinitionChunk, 1, "definitions", "Dfn_", "Difinitions", true, "difinition: ",
     kDefinitionNameChunk, 0},
    {kInitScriptsSection, kInitScriptChunk, 3, "initscripts", "InitSc_", "Init Scripts", false, "init scripts: ", 0, 7},
    {kVisualEffectsSection, kVisualEffectChunk, 2, "viseffects", "VisEff_", "Visual effects", false, nullptr, 0, 16},
};
constexpr size_t kSceneSectionCount = std::size(kSceneSections);

// Its place in the table, by which whatever is kept per section is indexed.
constexpr size_t SectionIndex(const SceneSection& section) { return static_cast<size_t>(&section - kSceneSections); }
// Null when no section has that section code, item chunk type or word.
const SceneSection* SectionByCode(uint16_t code);
const SceneSection* SectionOfItemType(uint16_t itemType);
const SceneSection* SectionByWord(std::string_view word);
// The section written at `place`, 0 to kSceneSectionCount - 1.
const SceneSection& SectionAtWritePlace(size_t place);

// Direct sub-chunks of objects; what each of these and of the following holds
// is said in one place, the table of SubChunkTable.h.
constexpr uint16_t kPositionChunk = 0x0020;
constexpr uint16_t kRotationChunk = 0x0022;
constexpr uint16_t kPositionCopyChunk = 0x002C;
constexpr uint16_t kScaleChunk = 0x002D;
constexpr uint16_t kObjectTypeChunk = 0x4011;
constexpr uint16_t kParentChunk = 0x4020;
constexpr uint16_t kSoundChunk = 0x4060;
constexpr uint16_t kLightmapChunk = 0x4090;  // its presence alone makes an object "LMAP"

// Sub-chunks of a sound object's settings (kSoundChunk). Its file is a name
// sub-chunk, kObjectNameChunk.
constexpr uint16_t kSoundTypeChunk = 0x4061;
constexpr uint16_t kVolumeChunk = 0x4062;
constexpr uint16_t kSound4063Chunk = 0x4063;  // 4 bytes of no known meaning, written as zero
constexpr uint16_t kExtraChunk = 0x4064;
constexpr uint16_t kRadiiChunk = 0x4068;
constexpr uint16_t kSound4066Chunk = 0x4066;  // empty
constexpr uint16_t kSound4067Chunk = 0x4067;  // empty
constexpr uint16_t kSpeedChunk = 0xB800;
constexpr uint16_t kSoundSectorChunk = 0xB200;  // only when there is one

// Direct sub-chunks of definitions.
constexpr uint16_t kDefinitionTypeChunk = 0xAE22;

// Object type codes. Three are four ASCII characters as they stand in the
// file, read as a little-endian number.
constexpr uint32_t kOtherObjectType = 0;
constexpr uint32_t kLightObjectType = 2;
constexpr uint32_t kCameraObjectType = 3;
constexpr uint32_t kSoundObjectType = 4;
constexpr uint32_t kStandartObjectType = 6;
constexpr uint32_t kModelObjectType = 9;
constexpr uint32_t kOccluderObjectType = 12;
constexpr uint32_t kCityMusicObjectType = 14;
constexpr uint32_t kLightmapObjectType = 0x50414D4C;   // "LMAP"; also an object with a 0x4090 but no type code
constexpr uint32_t kSectorObjectType = 0x52544353;     // "SCTR"
constexpr uint32_t kLensFlareObjectType = 0x534E454C;  // "LENS"

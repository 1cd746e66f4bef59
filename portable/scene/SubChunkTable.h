#pragma once
// What the toolset knows of the sub-chunks inside scene items, in one table:
// where each stands, what it is and how its payload holds its value. The
// structure view (the side panel, scene2 show) labels sub-chunks by it, and
// the structure view, the plug-in and the generator read and write their
// values by it (KnownValues.h); the codes themselves are in ChunkTypes.h.

#include <cstddef>
#include <cstdint>

#include "scene/ChunkTypes.h"

// The run of sub-chunks that a payload is, by what holds it.
enum class SubChunkRun : uint8_t { Unknown, Object, Definition, Parent, Sound };

// How a payload holds its value.
enum class PayloadKind : uint8_t {
  Bytes,           // nothing known of its bytes; it may be a run of sub-chunks (`holds`)
  Name,            // a name's bytes, and the closing zero that the item keeps, if any
  Text,            // a text's bytes and one zero byte
  ObjectType,      // a 32-bit object type code at its start
  DefinitionType,  // a 32-bit definition type code at its start
  Floats,          // `count` floats
  SoundType,       // a 32-bit code: the sound dialog's list index + 1
  Level,           // a float: a volume level, of the dialog's steps
  Radii,           // 4 floats: const radius, decrease width, min level, max level
};

constexpr bool HoldsFloats(PayloadKind kind) {
  return kind == PayloadKind::Floats || kind == PayloadKind::Level || kind == PayloadKind::Radii;
}

struct KnownSubChunk {
  SubChunkRun in;
  uint16_t type;
  const char* what;
  PayloadKind kind;
  uint8_t count;     // the floats of a kind that holds them; else 0
  SubChunkRun holds; // the run its payload is, when it holds one
  // Read as the sound plug-in reads it: the last of its type counts, and its
  // value is the plug-in's view of it.
  bool soundSetting;
};

inline constexpr KnownSubChunk kKnownSubChunks[] = {
    {SubChunkRun::Object, kObjectNameChunk, "name", PayloadKind::Name, 0, SubChunkRun::Unknown, false},
    {SubChunkRun::Object, kPositionChunk, "position", PayloadKind::Floats, 3, SubChunkRun::Unknown, false},
    {SubChunkRun::Object, kRotationChunk, "rotation", PayloadKind::Floats, 4, SubChunkRun::Unknown, false},
    {SubChunkRun::Object, kPositionCopyChunk, "position copy", PayloadKind::Floats, 3, SubChunkRun::Unknown, false},
    {SubChunkRun::Object, kScaleChunk, "scale", PayloadKind::Floats, 3, SubChunkRun::Unknown, false},
    {SubChunkRun::Object, kObjectTypeChunk, "object type", PayloadKind::ObjectType, 0, SubChunkRun::Unknown, false},
    {SubChunkRun::Object, kParentChunk, "parent", PayloadKind::Bytes, 0, SubChunkRun::Parent, false},
    {SubChunkRun::Object, kSoundChunk, "sound settings", PayloadKind::Bytes, 0, SubChunkRun::Sound, false},
    {SubChunkRun::Object, kLightmapChunk, "lightmap", PayloadKind::Bytes, 0, SubChunkRun::Unknown, false},
    {SubChunkRun::Definition, kDefinitionNameChunk, "name", PayloadKind::Name, 0, SubChunkRun::Unknown, false},
    {SubChunkRun::Definition, kDefinitionTypeChunk, "definition type", PayloadKind::DefinitionType, 0,
     SubChunkRun::Unknown, false},
    {SubChunkRun::Parent, kObjectNameChunk, "name", PayloadKind::Name, 0, SubChunkRun::Unknown, false},
    {SubChunkRun::Sound, kObjectNameChunk, "file", PayloadKind::Text, 0, SubChunkRun::Unknown, true},
    {SubChunkRun::Sound, kSoundTypeChunk, "sound type", PayloadKind::SoundType, 0, SubChunkRun::Unknown, true},
    {SubChunkRun::Sound, kVolumeChunk, "volume level", PayloadKind::Level, 1, SubChunkRun::Unknown, true},
    {SubChunkRun::Sound, kExtraChunk, "Unk floats", PayloadKind::Floats, 2, SubChunkRun::Unknown, true},
    {SubChunkRun::Sound, kRadiiChunk, "volume radii and levels", PayloadKind::Radii, 4, SubChunkRun::Unknown, true},
    {SubChunkRun::Sound, kSpeedChunk, "speed", PayloadKind::Floats, 1, SubChunkRun::Unknown, true},
    {SubChunkRun::Sound, kSoundSectorChunk, "sector", PayloadKind::Text, 0, SubChunkRun::Unknown, true},
};

// A reader of floats takes an entry's count as all it needs to know of them.
constexpr bool FloatsCounted() {
  for (const KnownSubChunk& known : kKnownSubChunks)
    if (HoldsFloats(known.kind) != (known.count > 0)) return false;
  return true;
}
static_assert(FloatsCounted(), "an entry of floats without their count, or a count on another kind");

// The entry of a sub-chunk of `type` in a run `in`; null when none knows it.
constexpr const KnownSubChunk* FindKnownSubChunk(SubChunkRun in, uint16_t type) {
  for (const KnownSubChunk& known : kKnownSubChunks)
    if (known.in == in && known.type == type) return &known;
  return nullptr;
}

// The entry of a sub-chunk that a writer or a layout relies on the table to
// know: for one it lacks, the null found can't be followed and the build fails.
consteval const KnownSubChunk& KnownEntry(SubChunkRun in, uint16_t type) { return *FindKnownSubChunk(in, type); }

// How many floats such a sub-chunk holds, for arrays and loops sized by it.
consteval size_t FloatCount(SubChunkRun in, uint16_t type) { return KnownEntry(in, type).count; }

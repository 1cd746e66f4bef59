#pragma once
// The values of one sound object as its dialog edits them, one per control.
// Numbers are held as the texts the user sees and edits; levels as whole steps.

#include <array>
#include <string>

#include "scene/SubChunkTable.h"
#include "sound/Levels.h"

// The items of the sound type list, as the dialog shows them.
constexpr std::array<const char*, 3> kSoundTypeTexts{"1 - lokal", "2 - ???", "3 - global"};

struct SoundFields {
  // Not edited: travels from the chunk read to the chunk written byte for byte,
  // its terminating NUL included when it has one.
  std::string Name = std::string("New sound\0", 10);

  // One text per float of the sub-chunk that holds it.
  std::array<std::string, FloatCount(SubChunkRun::Object, kPositionChunk)> Position{"0.0", "0.0", "0.0"};  // X, Y, Z
  // The dialog's four fields in order.
  std::array<std::string, FloatCount(SubChunkRun::Object, kRotationChunk)> Rotation{"1.0", "0.0", "0.0", "0.0"};
  std::array<std::string, FloatCount(SubChunkRun::Object, kScaleChunk)> Scale{"1.0", "1.0", "1.0"};  // X, Y, Z
  std::string ParentSector = "Primary sector";

  std::string SoundFile = "sound.wav";
  int SoundType = 0;  // index into kSoundTypeTexts; -1 for none
  int Volume = LevelSteps;
  std::string ConstRadius = "10.0";
  // The absolute radius at which the decrease ends; the chunk stores the width
  // of the decrease zone beyond the const radius.
  std::string DecreaseRadius = "100.0";
  int MinLevel = 0;
  int MaxLevel = LevelSteps;
  std::array<std::string, FloatCount(SubChunkRun::Sound, kExtraChunk)> Extra{"1.0", "1.5"};  // of no known meaning
  std::string Speed = "1.0";
  std::string SoundSector;  // empty leaves its sub-chunk out

  bool operator==(const SoundFields&) const = default;
};

// The fields that each stand for one float of a sub-chunk, and the four of the radii.
static_assert(FloatCount(SubChunkRun::Sound, kVolumeChunk) == 1 && FloatCount(SubChunkRun::Sound, kSpeedChunk) == 1);
static_assert(FloatCount(SubChunkRun::Sound, kRadiiChunk) == 4, "ConstRadius, DecreaseRadius, MinLevel, MaxLevel");

// The values of a new sound.
void SetSoundDefaults(SoundFields& fields);

#pragma once
// The sub-chunks of a sound object (an object chunk whose type sub-chunk holds
// 4), beyond the object framing that the scene model names.

#include <cstdint>

#include "scene/ChunkTypes.h"

constexpr int32_t kSoundObjectType = 4;

// Direct sub-chunks of the object.
constexpr uint16_t kPositionChunk = 0x0020;      // 3 floats
constexpr uint16_t kRotationChunk = 0x0022;      // 4 floats
constexpr uint16_t kScaleChunk = 0x002D;         // 3 floats
constexpr uint16_t kPositionCopyChunk = 0x002C;  // the position again
constexpr uint16_t kParentChunk = 0x4020;        // holds one name sub-chunk 0x0010
constexpr uint16_t kSoundChunk = 0x4060;         // holds the sub-chunks below

// Sub-chunks of kSoundChunk. The file is a name sub-chunk, 0x0010.
constexpr uint16_t kSoundTypeChunk = 0x4061;    // int32: list index + 1
constexpr uint16_t kVolumeChunk = 0x4062;       // float level
constexpr uint16_t kSound4063Chunk = 0x4063;    // 4 bytes of no known meaning, written as zero
constexpr uint16_t kExtraChunk = 0x4064;        // 2 floats of no known meaning
constexpr uint16_t kRadiiChunk = 0x4068;        // const radius, decrease width, min level, max level
constexpr uint16_t kSound4066Chunk = 0x4066;    // empty
constexpr uint16_t kSound4067Chunk = 0x4067;    // empty
constexpr uint16_t kSpeedChunk = 0xB800;        // float
constexpr uint16_t kSoundSectorChunk = 0xB200;  // text, only when there is one

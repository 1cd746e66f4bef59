#pragma once
// The inside of a sound object's settings sub-chunk (kSoundChunk of an object
// whose type is kSoundObjectType); the object's own sub-chunks are the scene
// model's (scene/ChunkTypes.h).

#include <cstdint>

#include "scene/ChunkTypes.h"

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

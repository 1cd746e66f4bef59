#pragma once
// Synthetic scene2.bin files for samples, tests and benchmarks: a root chunk,
// a few head chunks, then the four sections in the order the scene model
// writes them, so that a generated file loads and saves back byte for byte.

#include <cstdint>
#include <string>

#include "scene/Stream.h"

struct SceneOptions {
  uint64_t seed = 1;
  uint32_t objects = 200;
  uint32_t definitions = 50;
  uint32_t initScripts = 10;
  uint32_t visualEffects = 10;
  // Pads the scene items so that the file grows to about this many bytes; 0
  // for none.
  uint32_t targetBytes = 0;
  // Also uses object and definition type codes that have no display name.
  bool unknownTypes = false;
  // Names every item so when not empty: the most a name can repeat.
  std::string oneName;
};

// The largest file the format allows: the root size is read as signed 32-bit.
constexpr uint64_t kMaxSceneBytes = INT32_MAX;

// Writes the scene that `options` describe to `out`, from its position 0 on;
// the same options always give the same bytes. Seeks back to fill in the
// section and root sizes. Raises Exception when a write fails or the scene
// would pass kMaxSceneBytes.
void GenerateScene(const SceneOptions& options, TStream& out);

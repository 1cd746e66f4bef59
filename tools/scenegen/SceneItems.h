#pragma once
// What the generated chunks hold: the head chunks and the four kinds of scene
// item, each built into a ChunkWriter with made-up but plausible content.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "scene/ChunkWriter.h"
#include "scene/SubChunkTable.h"
#include "tools/scenegen/Random.h"

// A type the generator draws: how often, and the word its items are named with.
struct Look {
  uint32_t code;
  unsigned weight;
  const char* word;
};

// One line of init-script text, CR LF included.
const char* ScriptLine(TRandom& random);

class SceneItems {
 public:
  // `unknownTypes` mixes in a few type codes without a display name; a
  // `oneName` names every item.
  SceneItems(TRandom& random, bool unknownTypes, std::string oneName);

  // Each builds one whole chunk. The scene items leave their chunk open, so
  // that padding can still go at its end; serials count from 1.
  void Head(ChunkWriter& chunk, uint32_t serial);
  void Object(ChunkWriter& chunk, uint32_t serial);
  void Definition(ChunkWriter& chunk, uint32_t serial);
  void InitScript(ChunkWriter& chunk, uint32_t serial);
  void VisualEffect(ChunkWriter& chunk, uint32_t serial);

 private:
  uint32_t ObjectType(uint32_t serial);
  // A sound object written by the plug-in's own writer from fields drawn at random.
  void SoundObject(ChunkWriter& chunk, uint32_t serial);
  // A position as objects hold one, which definitions are given too.
  std::array<float, FloatCount(SubChunkRun::Object, kPositionChunk)> Position();
  std::string Name(const std::string& word, uint32_t serial);

  TRandom& random_;  // not owned
  bool unknownTypes_;
  std::string oneName_;
  // The catalogue's named types, each with how often it is drawn and the
  // word its items are named with.
  std::vector<Look> objectLooks_;
  uint64_t objectWeights_ = 0;
  std::vector<Look> definitionLooks_;
  // The first objects take every known type once, in a shuffled order, so
  // that even a small scene shows them all.
  std::vector<uint32_t> firstObjectTypes_;
};

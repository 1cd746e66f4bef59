#pragma once
// Where every chunk of a scene file lies, and every problem of its layout in
// check's words: the walk of the scene model's load (WalkScene), gone on to
// the end.

#include <cstdint>
#include <string>
#include <vector>

#include "scene/ByteView.h"

struct Problem {
  uint64_t offset = 0;  // in the file
  std::string text;
  bool failsLoad = false;  // a load of the file fails here
};

struct MappedChunk {
  uint16_t type = 0;
  uint64_t offset = 0;
  ByteView bytes;  // the whole chunk, header included
};

struct MappedSection {
  uint16_t code = 0;
  uint64_t offset = 0;
  std::vector<MappedChunk> chunks;
};

struct SceneMap {
  std::vector<MappedChunk> heads;
  // In file order; a code that stands twice is here twice, where a load puts
  // the chunks of both into one list.
  std::vector<MappedSection> sections;
  std::vector<Problem> problems;
};

// `bytes` are the file's first bytes, all of its `fileLength` or only its root
// header (SceneFileBytes): then the walk ends after that header.
SceneMap MapScene(ByteView bytes, uint64_t fileLength);

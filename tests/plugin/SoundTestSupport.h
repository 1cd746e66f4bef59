#pragma once
// Sound objects built by hand, read from guarded memory and written into it.

#include <memory>
#include <string>
#include <vector>

#include "sound/SoundFields.h"
#include "sound/SoundWriting.h"
#include "tests/SceneTestSupport.h"
#include "tests/plugin/GuardedBlock.h"

Bytes F32(std::initializer_list<float> values);
// Text bytes followed by one NUL.
Bytes TextNul(const std::string& text);

// An object chunk whose type sub-chunk holds 4, followed by `subChunks`.
Bytes SoundObject(std::initializer_list<Bytes> subChunks);

// A sound object with every sub-chunk the reader takes, values unlike a new
// sound's: "rain.wav" of type 3 in the sector "hall", parent "yard". The name,
// the stored volume and the position copy vary with the test.
Bytes RainSound(const std::string& name, float volume, std::initializer_list<float> positionCopy);
// Its fields as the dialog shows them (no name), with the level of the volume.
SoundFields RainSoundShown(int volumeLevel);

struct ReadResult {
  bool ok = false;
  SoundFields fields;
  std::vector<std::string> messages;
};

// Reads `chunk` from memory that ends where the chunk ends.
ReadResult ReadSound(const Bytes& chunk);

// Hands out guarded blocks of exactly the length asked for, or none at all,
// and keeps what was asked.
class TestAllocator {
 public:
  explicit TestAllocator(bool fails = false) : fails_(fails) {}
  BlockAllocator Function();
  const std::vector<size_t>& Requests() const { return requests_; }

 private:
  bool fails_;
  std::vector<size_t> requests_;
  std::vector<std::unique_ptr<GuardedBlock>> blocks_;
};

// The chunk that WriteSoundObject makes of `fields`.
Bytes WrittenSound(const SoundFields& fields);

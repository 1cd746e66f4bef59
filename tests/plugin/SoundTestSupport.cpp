#include "tests/plugin/SoundTestSupport.h"

#include <gtest/gtest.h>

#include <bit>

#include "scene/ChunkTypes.h"
#include "sound/SoundReading.h"

Bytes F32(std::initializer_list<float> values) {
  Bytes bytes;
  for (float value : values) {
    const Bytes one = U32(std::bit_cast<uint32_t>(value));
    bytes.insert(bytes.end(), one.begin(), one.end());
  }
  return bytes;
}

Bytes TextNul(const std::string& text) { return Concat({Text(text), {0}}); }

Bytes SoundObject(std::initializer_list<Bytes> subChunks) {
  Bytes body = ChunkOf(kObjectTypeChunk, U32(4));
  for (const Bytes& sub : subChunks) body.insert(body.end(), sub.begin(), sub.end());
  return ChunkOf(kObjectChunk, body);
}

Bytes RainSound(const std::string& name, float volume, std::initializer_list<float> positionCopy) {
  return SoundObject({
      ChunkOf(kObjectNameChunk, TextNul(name)),
      ChunkOf(kPositionChunk, F32({1.5f, -2, 300})),
      ChunkOf(kRotationChunk, F32({0.5f, 0.25f, -0.125f, 2})),
      ChunkOf(kScaleChunk, F32({2, 3, 4})),
      ChunkOf(kPositionCopyChunk, F32(positionCopy)),
      ChunkOf(kParentChunk, ChunkOf(kObjectNameChunk, TextNul("yard"))),
      ChunkOf(kSoundChunk, Concat({
                               ChunkOf(kObjectNameChunk, TextNul("rain.wav")),
                               ChunkOf(kSoundTypeChunk, U32(3)),
                               ChunkOf(kVolumeChunk, F32({volume})),
                               ChunkOf(kSound4063Chunk, U32(0)),
                               ChunkOf(kExtraChunk, F32({7, 8.25f})),
                               ChunkOf(kRadiiChunk, F32({5, 20, 0.2f, 0.8f})),
                               ChunkOf(kSound4066Chunk, {}),
                               ChunkOf(kSound4067Chunk, {}),
                               ChunkOf(kSpeedChunk, F32({2.5f})),
                               ChunkOf(kSoundSectorChunk, TextNul("hall")),
                           })),
  });
}

SoundFields RainSoundShown(int volumeLevel) {
  SoundFields fields;
  fields.Position = {"1.5", "-2", "300"};
  fields.Rotation = {"0.5", "0.25", "-0.125", "2"};
  fields.Scale = {"2", "3", "4"};
  fields.ParentSector = "yard";
  fields.SoundFile = "rain.wav";
  fields.SoundType = 2;
  fields.Volume = volumeLevel;
  fields.ConstRadius = "5";
  fields.DecreaseRadius = "25";
  fields.MinLevel = 10;
  fields.MaxLevel = 40;
  fields.Extra = {"7", "8.25"};
  fields.Speed = "2.5";
  fields.SoundSector = "hall";
  return fields;
}

ReadResult ReadSound(const Bytes& chunk) {
  const GuardedBlock block(chunk);
  ReadResult result;
  result.ok = ReadSoundObject(result.fields, block.Data(), static_cast<int32_t>(block.Length()),
                              [&](const std::string& text) { result.messages.push_back(text); });
  return result;
}

BlockAllocator TestAllocator::Function() {
  return [this](size_t length) -> void* {
    requests_.push_back(length);
    if (fails_) return nullptr;
    blocks_.push_back(std::make_unique<GuardedBlock>(length));
    return blocks_.back()->Data();
  };
}

Bytes WrittenSound(const SoundFields& fields) {
  TestAllocator allocator;
  const auto block = WriteSoundObject(fields, allocator.Function());
  if (!block) {
    ADD_FAILURE() << "no block written";
    return {};
  }
  EXPECT_EQ(allocator.Requests(), std::vector<size_t>{static_cast<size_t>(block->Size)});
  return Bytes(block->Data, block->Data + block->Size);
}

#include "tests/plugin/SoundTestSupport.h"

#include <gtest/gtest.h>

#include <bit>

#include "plugin/SoundLayout.h"
#include "plugin/SoundReading.h"

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
  Bytes body = Chunk(kObjectTypeChunk, U32(4));
  for (const Bytes& sub : subChunks) body.insert(body.end(), sub.begin(), sub.end());
  return Chunk(kObjectChunk, body);
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

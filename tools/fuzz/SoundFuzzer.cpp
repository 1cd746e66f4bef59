// libFuzzer's entry for the plug-in's reader: the input is an object chunk as
// a host hands it over, in a block that ends where the input ends. Any object
// but a sound leaves a new sound's defaults and is refused with its one
// message. A sound object is written back with the plug-in's writer and read
// again: its names, texts and levels come back as they were; its numbers come
// back as the chunk holds them, which may show otherwise the first time ("1.0"
// of a new sound's defaults as "1", a stored infinity or not-a-number as "0").
// From then on, writing and reading again gives every field back as it was.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "sound/SoundReading.h"
#include "sound/SoundWriting.h"
#include "tools/fuzz/Require.h"

namespace {

struct Read {
  bool ok = false;
  SoundFields fields;
  std::vector<std::string> messages;
};

Read ReadChunk(const uint8_t* data, size_t size) {
  Read read;
  read.ok = ReadSoundObject(read.fields, data, static_cast<int32_t>(size),
                            [&read](const std::string& text) { read.messages.push_back(text); });
  return read;
}

// The chunk that the writer makes of `fields`, in a block of its exact length.
std::vector<uint8_t> Written(const SoundFields& fields) {
  std::vector<uint8_t> block;
  const auto written = WriteSoundObject(fields, [&block](size_t length) {
    block.resize(length);
    return block.data();
  });
  Require(written.has_value(), "fields read from a chunk can't be written");
  Require(written->Data == block.data() && static_cast<size_t>(written->Size) == block.size(),
          "the written chunk is not the whole block");
  return block;
}

// `fields` with the number texts of `numbers`.
SoundFields WithNumbersOf(SoundFields fields, const SoundFields& numbers) {
  fields.Position = numbers.Position;
  fields.Rotation = numbers.Rotation;
  fields.Scale = numbers.Scale;
  fields.ConstRadius = numbers.ConstRadius;
  fields.DecreaseRadius = numbers.DecreaseRadius;
  fields.Extra = numbers.Extra;
  fields.Speed = numbers.Speed;
  return fields;
}

// Writes `fields` and reads the chunk written.
Read ReadWritten(const SoundFields& fields) {
  const std::vector<uint8_t> written = Written(fields);
  Read read = ReadChunk(written.data(), written.size());
  Require(read.ok && read.messages.empty(), "a written sound object is not read as one");
  return read;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A host's size is a 32-bit signed number.
  if (size > static_cast<size_t>(std::numeric_limits<int32_t>::max())) return 0;
  const Read first = ReadChunk(data, size);
  if (!first.ok) {
    Require(first.fields == SoundFields{}, "a refused object left other fields than a new sound's");
    Require(first.messages.size() == 1, "a refused object was not told once");
    return 0;
  }
  Require(first.messages.empty(), "a sound object read with a message");

  const Read second = ReadWritten(first.fields);
  Require(second.fields == WithNumbersOf(first.fields, second.fields), "a written sound object lost a text or a level");
  Require(ReadWritten(second.fields).fields == second.fields,
          "a sound object written twice reads back as other fields");
  return 0;
}

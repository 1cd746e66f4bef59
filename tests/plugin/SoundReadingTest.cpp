// Reading a sound object chunk into the fields of its dialog.

#include <gtest/gtest.h>

#include <random>

#include "scene/ChunkTypes.h"
#include "sound/SoundReading.h"
#include "tests/plugin/SoundTestSupport.h"

namespace {

// Every sub-chunk that the reader takes, with values unlike the defaults.
Bytes FullSoundObject() { return RainSound("rain", 0.5f, {9, 9, 9}); }

SoundFields FullSoundFields() {
  SoundFields fields = RainSoundShown(25);
  fields.Name = std::string("rain\0", 5);
  return fields;
}

TEST(ReadSoundObject, NewSoundHasTheDefaults) {
  SoundFields fields = FullSoundFields();
  EXPECT_TRUE(ReadSoundObject(fields, nullptr, 0, [](const std::string&) { FAIL() << "no message expected"; }));
  EXPECT_EQ(fields.Name, std::string("New sound\0", 10));
  EXPECT_EQ(fields.Position, (std::array<std::string, 3>{"0.0", "0.0", "0.0"}));
  EXPECT_EQ(fields.Rotation, (std::array<std::string, 4>{"1.0", "0.0", "0.0", "0.0"}));
  EXPECT_EQ(fields.Scale, (std::array<std::string, 3>{"1.0", "1.0", "1.0"}));
  EXPECT_EQ(fields.ParentSector, "Primary sector");
  EXPECT_EQ(fields.SoundFile, "sound.wav");
  EXPECT_EQ(fields.SoundType, 0);
  EXPECT_EQ(fields.Volume, 50);
  EXPECT_EQ(fields.ConstRadius, "10.0");
  EXPECT_EQ(fields.DecreaseRadius, "100.0");
  EXPECT_EQ(fields.MinLevel, 0);
  EXPECT_EQ(fields.MaxLevel, 50);
  EXPECT_EQ(fields.Extra, (std::array<std::string, 2>{"1.0", "1.5"}));
  EXPECT_EQ(fields.Speed, "1.0");
  EXPECT_EQ(fields.SoundSector, "");
}

TEST(ReadSoundObject, TakesEverySubChunkOfASoundObject) {
  const ReadResult read = ReadSound(FullSoundObject());
  EXPECT_TRUE(read.ok);
  EXPECT_TRUE(read.messages.empty());
  EXPECT_EQ(read.fields, FullSoundFields());
}

TEST(ReadSoundObject, RefusesOtherObjectTypesWithTheirNumber) {
  const std::pair<Bytes, const char*> cases[] = {
      {ChunkOf(kObjectChunk, ChunkOf(kObjectTypeChunk, U32(7))), "7"},
      {ChunkOf(kObjectChunk, ChunkOf(kObjectTypeChunk, U32(0xFFFFFFFF))), "-1"},
      {ChunkOf(kObjectChunk, ChunkOf(kObjectNameChunk, TextNul("x"))), "0"},
      // A type sub-chunk too short for its number has no number.
      {ChunkOf(kObjectChunk, ChunkOf(kObjectTypeChunk, Bytes{4, 0})), "0"},
      // Nested one level down it is not the object's type.
      {ChunkOf(kObjectChunk, ChunkOf(kSoundChunk, ChunkOf(kObjectTypeChunk, U32(4)))), "0"},
      {Bytes{0x10, 0x40, 0x06}, "0"},
      {Bytes{}, "0"},
  };
  for (const auto& [chunk, type] : cases) {
    SCOPED_TRACE(type);
    const ReadResult read = ReadSound(chunk);
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.fields, SoundFields{});
    EXPECT_EQ(read.messages, std::vector<std::string>{std::string("Incorrect object type: ") + type +
                                                      "\rNeeds sound object, type: 4"});
  }
}

TEST(ReadSoundObject, WithoutSoundPropertiesKeepsTheSoundDefaults) {
  const ReadResult read = ReadSound(SoundObject({
      ChunkOf(kPositionChunk, F32({1.5f, -2.0f, 300.0f})),
      ChunkOf(kRotationChunk, F32({0.5f, 0.25f, -0.125f, 2.0f})),
      ChunkOf(kScaleChunk, F32({2.0f, 3.0f, 4.0f})),
      ChunkOf(kParentChunk, ChunkOf(kObjectNameChunk, TextNul("yard"))),
  }));
  ASSERT_TRUE(read.ok);
  SoundFields expected;
  const SoundFields stored = FullSoundFields();
  expected.Position = stored.Position;
  expected.Rotation = stored.Rotation;
  expected.Scale = stored.Scale;
  expected.ParentSector = stored.ParentSector;
  EXPECT_EQ(read.fields, expected);
}

TEST(ReadSoundObject, LevelsRoundTiesToEvenAndClamp) {
  const std::pair<float, int> cases[] = {{0.25f, 12}, {1.7f, 50}, {-0.5f, 0}, {0.05f, 3}};
  for (const auto& [stored, level] : cases) {
    SCOPED_TRACE(stored);
    const ReadResult read =
        ReadSound(SoundObject({ChunkOf(kSoundChunk, Concat({ChunkOf(kVolumeChunk, F32({stored})),
                                                            ChunkOf(kRadiiChunk, F32({1, 2, stored, stored}))}))}));
    EXPECT_EQ(read.fields.Volume, level);
    EXPECT_EQ(read.fields.MinLevel, level);
    EXPECT_EQ(read.fields.MaxLevel, level);
  }
}

TEST(ReadSoundObject, SoundTypeOutsideTheListSelectsNothing) {
  const std::pair<uint32_t, int> cases[] = {{1, 0},  {2, 1},           {3, 2},          {0, -1},
                                            {4, -1}, {0xFFFFFFFF, -1}, {0x80000000, -1}};
  for (const auto& [stored, index] : cases) {
    const ReadResult read = ReadSound(SoundObject({ChunkOf(kSoundChunk, ChunkOf(kSoundTypeChunk, U32(stored)))}));
    EXPECT_EQ(read.fields.SoundType, index) << stored;
  }
}

TEST(ReadSoundObject, TextsEndAtTheirFirstNulButTheNameIsKeptWhole) {
  const ReadResult read = ReadSound(SoundObject({
      ChunkOf(kObjectNameChunk, Text(std::string("a\0b\0", 4))),
      ChunkOf(kParentChunk, ChunkOf(kObjectNameChunk, Text(std::string("sec\0junk", 8)))),
      ChunkOf(kSoundChunk, Concat({ChunkOf(kObjectNameChunk, Text("no-nul.wav")),
                                   ChunkOf(kSoundSectorChunk, Text(std::string("\0x", 2)))})),
  }));
  EXPECT_EQ(read.fields.Name, std::string("a\0b\0", 4));
  EXPECT_EQ(read.fields.ParentSector, "sec");
  EXPECT_EQ(read.fields.SoundFile, "no-nul.wav");
  EXPECT_EQ(read.fields.SoundSector, "");
}

TEST(ReadSoundObject, ParentIsTakenOnlyFromANameThatComesFirst) {
  const ReadResult nameSecond = ReadSound(
      SoundObject({ChunkOf(kParentChunk, Concat({ChunkOf(0x0011, {}), ChunkOf(kObjectNameChunk, TextNul("late"))}))}));
  EXPECT_EQ(nameSecond.fields.ParentSector, "Primary sector");
  const ReadResult nameFirst = ReadSound(
      SoundObject({ChunkOf(kParentChunk, Concat({ChunkOf(kObjectNameChunk, TextNul("early")), ChunkOf(0x0011, {})}))}));
  EXPECT_EQ(nameFirst.fields.ParentSector, "early");
}

TEST(ReadSoundObject, AnyOrderAndTheLastOccurrenceWins) {
  const ReadResult read = ReadSound(ChunkOf(
      kObjectChunk, Concat({
                        ChunkOf(kSoundChunk, Concat({ChunkOf(kSpeedChunk, F32({3})), ChunkOf(kSpeedChunk, F32({4}))})),
                        ChunkOf(kPositionChunk, F32({1, 1, 1})),
                        ChunkOf(kObjectTypeChunk, U32(4)),
                        ChunkOf(kPositionChunk, F32({2, 2, 2})),
                        ChunkOf(kSoundChunk, ChunkOf(kObjectNameChunk, TextNul("second.wav"))),
                    })));
  ASSERT_TRUE(read.ok);
  EXPECT_EQ(read.fields.Position, (std::array<std::string, 3>{"2", "2", "2"}));
  EXPECT_EQ(read.fields.Speed, "4");
  EXPECT_EQ(read.fields.SoundFile, "second.wav");
}

// The first float of 0x4068 is the const radius; the second, the width of the
// decrease zone beyond it, is shown as the absolute radius.
TEST(ReadSoundObject, ShowsTheDecreaseRadiusAsTheAbsoluteRadius) {
  const ReadResult read =
      ReadSound(SoundObject({ChunkOf(kSoundChunk, ChunkOf(kRadiiChunk, F32({12.5f, 30.25f, 0, 1})))}));
  EXPECT_EQ(read.fields.ConstRadius, "12.5");
  EXPECT_EQ(read.fields.DecreaseRadius, "42.75");
}

// 15 digits as every number, unless the width is too small beside the radius
// for them to carry it: then as many as the writer needs to get it back.
TEST(ReadSoundObject, ShowsTheDecreaseRadiusWithTheDigitsThatKeepTheWidth) {
  const struct {
    float constRadius;
    float width;
    const char* shown;
  } cases[] = {
      {0, 0.1f, "0.100000001490116"},
      {0.1f, 0.2f, "0.300000004470348"},
      {1000, 0.001f, "1000.00100000005"},
      {1000, 1e-7f, "1000.0000001"},
      {1000, 1.2345678e-9f, "1000.0000000012345"},
  };
  for (const auto& each : cases) {
    const ReadResult read = ReadSound(
        SoundObject({ChunkOf(kSoundChunk, ChunkOf(kRadiiChunk, F32({each.constRadius, each.width, 0, 1})))}));
    EXPECT_EQ(read.fields.DecreaseRadius, each.shown) << each.width;
  }
}

TEST(ReadSoundObject, ValuesThatDoNotFitTheirSubChunkAreDropped) {
  const ReadResult read = ReadSound(SoundObject({
      ChunkOf(kPositionChunk, F32({5, 6})),
      ChunkOf(kRotationChunk, F32({5, 6, 7, 8, 9})),  // longer than needed: the rest is passed over
      ChunkOf(kSoundChunk, Concat({ChunkOf(kVolumeChunk, Bytes{0, 0}), ChunkOf(kRadiiChunk, F32({1, 2, 0}))})),
  }));
  ASSERT_TRUE(read.ok);
  EXPECT_EQ(read.fields.Position, SoundFields{}.Position);
  EXPECT_EQ(read.fields.Rotation, (std::array<std::string, 4>{"5", "6", "7", "8"}));
  EXPECT_EQ(read.fields.Volume, 50);
  EXPECT_EQ(read.fields.ConstRadius, "10.0");
}

// The walk ends at a size below the header, which would never step forward,
// and at a sub-chunk that reaches past the bytes the host gave.
TEST(ReadSoundObject, WalkEndsAtSizesThatCannotBeStepped) {
  const Bytes speed = ChunkOf(kSoundChunk, ChunkOf(kSpeedChunk, F32({9})));
  const std::pair<const char*, Bytes> cases[] = {
      {"size 0", Concat({ChunkWithSize(0x7777, 0, {}), speed})},
      {"size 5", Concat({ChunkWithSize(0x7777, 5, {}), speed})},
      {"past the end", ChunkWithSize(kSoundChunk, 40, ChunkOf(kSpeedChunk, F32({9})))},
      {"inner past the end", ChunkOf(kSoundChunk, ChunkWithSize(kSpeedChunk, 11, F32({9})))},
      {"header cut short", Concat({speed, Bytes{0x20, 0x00, 0x12}})},
  };
  for (const auto& [what, subChunks] : cases) {
    SCOPED_TRACE(what);
    const ReadResult read = ReadSound(SoundObject({subChunks}));
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.fields.Speed, what == std::string("header cut short") ? "9" : "1.0");
  }
}

// The host's chunk may end anywhere: every prefix of a full object is read
// from memory that faults right past it, and gives exactly the sub-chunks
// that lie wholly inside it.
TEST(ReadSoundObject, NeverReadsAtOrPastTheGivenSize) {
  const Bytes full = FullSoundObject();
  for (size_t size = 0; size <= full.size(); ++size) {
    SCOPED_TRACE(size);
    const ReadResult read = ReadSound(Bytes(full.begin(), full.begin() + static_cast<long>(size)));
    // The type sub-chunk ends at 16, the name at 27, the position at 45.
    EXPECT_EQ(read.ok, size >= 16);
    EXPECT_EQ(read.fields.Name == "rain" + std::string(1, '\0'), size >= 27);
    EXPECT_EQ(read.fields.Position[0] == "1.5", size >= 45);
    EXPECT_EQ(read.fields.SoundSector == "hall", size == full.size());
  }
}

TEST(ReadSoundObject, SurvivesDamagedChunks) {
  std::mt19937 random(20240);
  const Bytes full = FullSoundObject();
  for (int round = 0; round < 3000; ++round) {
    Bytes damaged = full;
    const int flips = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < flips; ++i) damaged[random() % damaged.size()] = static_cast<uint8_t>(random());
    damaged.resize(random() % (damaged.size() + 1));
    // Read inside its guarded block: either the object reads, silently, or
    // its type is refused with the one message that says so.
    const ReadResult read = ReadSound(damaged);
    if (read.ok) {
      EXPECT_TRUE(read.messages.empty());
      EXPECT_LE(read.fields.Name.size(), damaged.size());
    } else {
      ASSERT_EQ(read.messages.size(), 1u);
      EXPECT_EQ(read.messages[0].rfind("Incorrect object type: ", 0), 0u) << read.messages[0];
    }
  }
}

}  // namespace

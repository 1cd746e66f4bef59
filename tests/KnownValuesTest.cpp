// The values of known sub-chunks, read and written by their kind: payloads
// held in buffers of exactly their length, so that a read past the end stops
// the test under ASan.

#include "scene/KnownValues.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "scene/SubChunkWalk.h"
#include "tests/SceneTestSupport.h"

namespace {

Bytes WrittenBytes(const ChunkWriter& out) { return BytesOf(out.Written()); }

TEST(KnownValues, FloatsAreWrittenLittleEndianAfterTheEntrysHeader) {
  ChunkWriter out;
  WriteFloats(out, KnownEntry(SubChunkRun::Object, kPositionChunk), std::array{1.0f, -2.0f, 0.5f});
  const Bytes expected = {
      0x20, 0x00, 0x12, 0x00, 0x00, 0x00,  // position, 18 bytes
      0x00, 0x00, 0x80, 0x3F,              // 1
      0x00, 0x00, 0x00, 0xC0,              // -2
      0x00, 0x00, 0x00, 0x3F,              // 0.5
  };
  EXPECT_EQ(WrittenBytes(out), expected);
}

// Every entry of floats reads back what its writer wrote, from a payload of
// ValueLength bytes or longer; one byte fewer and the value is dropped whole.
TEST(KnownValues, FloatsReadBackWholeOrNotAtAll) {
  for (const KnownSubChunk& known : kKnownSubChunks) {
    if (!HoldsFloats(known.kind)) continue;
    SCOPED_TRACE(known.what);
    std::vector<float> values;
    for (size_t i = 0; i < known.count; ++i) values.push_back(0.25f * static_cast<float>(i) - 3);
    ChunkWriter out;
    WriteFloats(out, known, values);
    const Bytes payload = BytesOf(ChunkBody(out.Written()));
    ASSERT_EQ(payload.size(), ValueLength(known));
    EXPECT_EQ(ReadFloats(known, ViewOf(payload)), values);
    EXPECT_EQ(ReadFloats(known, ViewOf(Concat({payload, Bytes{1, 2, 3}}))), values);
    for (size_t cut = 0; cut < payload.size(); ++cut)
      EXPECT_TRUE(ReadFloats(known, ViewOf(Bytes(payload.begin(), payload.begin() + static_cast<long>(cut)))).empty())
          << cut;
  }
}

TEST(KnownValues, CodesAreTheirPayloadsFirstFourBytes) {
  const KnownSubChunk& type = KnownEntry(SubChunkRun::Object, kObjectTypeChunk);
  EXPECT_EQ(ValueLength(type), 4u);
  ChunkWriter out;
  WriteCode(out, type, kSectorObjectType);
  EXPECT_EQ(WrittenBytes(out), ChunkOf(kObjectTypeChunk, Text("SCTR")));

  uint32_t code = 0;
  EXPECT_TRUE(ReadCode(ViewOf(Concat({U32(36), U32(7)})), code));
  EXPECT_EQ(code, 36u);
  code = 99;
  EXPECT_FALSE(ReadCode(ViewOf(Bytes{36, 0, 0}), code));
  EXPECT_EQ(code, 99u);
}

TEST(KnownValues, NamesLoseOneClosingZeroAndTextsEndAtTheFirst) {
  const struct {
    std::string payload;
    std::string name;
    std::string text;
  } cases[] = {
      {std::string("crate\0", 6), "crate", "crate"},
      {"crate", "crate", "crate"},
      {std::string("ab\0\0", 4), std::string("ab\0", 3), "ab"},
      {std::string("a\0b", 3), std::string("a\0b", 3), "a"},
      {"", "", ""},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.text);
    const Bytes payload = Text(each.payload);
    EXPECT_EQ(ReadName(ViewOf(payload)), each.name);
    EXPECT_EQ(ReadText(ViewOf(payload)), each.text);
  }
}

// What the toolset writes of a name or a text is closed by one zero, the one
// that a read of either takes away.
TEST(KnownValues, NamesAndTextsAreWrittenClosedByOneZero) {
  for (const KnownSubChunk* known : {&KnownEntry(SubChunkRun::Definition, kDefinitionNameChunk),
                                     &KnownEntry(SubChunkRun::Sound, kSoundSectorChunk)}) {
    SCOPED_TRACE(known->what);
    ChunkWriter out;
    WriteText(out, *known, "hall");
    EXPECT_EQ(WrittenBytes(out), ChunkOf(known->type, Text(std::string("hall\0", 5))));
    EXPECT_EQ(ValueLength(*known), 0u);
  }
}

}  // namespace

// Names, types and sub-chunks of scene item chunks.

#include <gtest/gtest.h>

#include <vector>

#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "scene/Exception.h"
#include "tests/SceneTestSupport.h"

namespace {

std::string NameOf(const Bytes& chunk) { return GetChunkName(ViewOf(chunk)); }

uint32_t ObjectTypeOf(const Bytes& chunk) { return GetObjectType(ViewOf(chunk)); }

TEST(ObjectTypes, ComeFromTypeCodeThenLightmapElseOther) {
  const Bytes withBoth =
      ChunkOf(kObjectChunk, Concat({ChunkOf(kLightmapChunk, {}), ChunkOf(kObjectTypeChunk, U32(9))}));
  EXPECT_EQ(ObjectTypeOf(withBoth), 9u);
  EXPECT_EQ(ObjectTypeOf(ChunkOf(kObjectChunk, ChunkOf(kLightmapChunk, {1}))), kLightmapObjectType);
  EXPECT_EQ(ObjectTypeOf(ChunkOf(kObjectChunk, ChunkOf(0x0010, Text("x")))), 0u);
  EXPECT_EQ(ObjectTypeOf(ChunkOf(kObjectChunk, ChunkOf(kObjectTypeChunk, Text("SCTR")))), 0x52544353u);
  // A type code cut short by the chunk's end reads its missing bytes as zero.
  EXPECT_EQ(ObjectTypeOf(Concat({U16(kObjectChunk), U32(14), U16(kObjectTypeChunk), U32(10), Bytes{4, 0}})), 4u);
}

TEST(ObjectTypes, DisplayNames) {
  const std::pair<uint32_t, const char*> cases[] = {
      {0, "other"},
      {2, "light"},
      {3, "camera"},
      {4, "sound"},
      {6, "standart"},
      {9, "model"},
      {12, "occluder"},
      {14, "city music"},
      {0x50414D4C, "LMAP"},
      {0x52544353, "sector"},
      {0x534E454C, "LENSF settings"},
      {1, "0x00000001"},
      {5, "0x00000005"},
      {0xFFFFFFFF, "0xFFFFFFFF"},
      {0xAB, "0x000000AB"},
  };
  for (const auto& [code, name] : cases) EXPECT_EQ(ObjectTypeName(code), name) << code;
}

TEST(ObjectTypes, NamedTypesHaveAnIndexEachOthersNone) {
  std::vector<bool> taken(kKnownObjectTypeCount, false);
  for (const uint32_t code : {0u, 2u, 3u, 4u, 6u, 9u, 12u, 14u, 0x50414D4Cu, 0x52544353u, 0x534E454Cu}) {
    const int index = KnownObjectTypeIndex(code);
    ASSERT_GE(index, 0) << code;
    ASSERT_LT(index, kKnownObjectTypeCount);
    const auto slot = static_cast<size_t>(index);
    EXPECT_FALSE(taken[slot]) << code;
    taken[slot] = true;
  }
  for (const uint32_t code : {1u, 5u, 7u, 37u, 0xFFFFFFFFu}) EXPECT_EQ(KnownObjectTypeIndex(code), -1) << code;
}

TEST(DefinitionTypes, DisplayNames) {
  const std::pair<uint32_t, const char*> cases[] = {
      {0, "0x00"},
      {1, "ghost object"},
      {2, "player"},
      {3, "0x03"},
      {4, "car"},
      {5, "script"},
      {6, "door"},
      {8, "metro"},
      {10, "bottle"},
      {12, "traffic setup"},
      {18, "pedestrian setup"},
      {20, "bridge"},
      {21, "dog"},
      {22, "plane"},
      {24, "route"},
      {25, "pumpar"},
      {27, "enemy"},
      {28, "race camera"},
      {30, "wagon"},
      {34, "clock"},
      {35, "phisical object"},
      {36, "truck"},
      {37, "0x25"},
      {255, "0xFF"},
      {256, "0x100"},
      {418, "0x1A2"},
      {0xFFFFFFFF, "0xFFFFFFFF"},
  };
  for (const auto& [code, name] : cases) EXPECT_EQ(DefinitionTypeName(code), name) << code;
}

TEST(DefinitionTypes, MissingTypeSubChunkGivesZero) {
  const Bytes withType = DefinitionChunk("door1", 6);
  EXPECT_EQ(GetDefinitionType(ViewOf(withType)), 6u);
  const Bytes without = ChunkOf(kDefinitionChunk, ChunkOf(kDefinitionNameChunk, Text("d")));
  EXPECT_EQ(GetDefinitionType(ViewOf(without)), 0u);
}

TEST(FindSubChunk, FindsTheFirstDirectChildOnly) {
  const Bytes nested = ChunkOf(0x4020, ChunkOf(0x7777, {1}));
  const Bytes chunk = ChunkOf(kObjectChunk, Concat({nested, ChunkOf(0x7777, {2}), ChunkOf(0x7777, {3})}));
  uint32_t offset = 0;
  uint32_t size = 0;
  ASSERT_TRUE(FindSubChunk(ViewOf(chunk), 0x7777, offset, size));
  EXPECT_EQ(offset, 6 + nested.size());
  EXPECT_EQ(size, 7u);
  EXPECT_FALSE(FindSubChunk(ViewOf(chunk), 0x1111, offset, size));
  EXPECT_EQ(size, 7u) << "untouched when not found";
}

TEST(FindSubChunk, EndsOnSizesThatCannotBeSteppedOver) {
  uint32_t offset = 99;
  uint32_t size = 99;
  for (const uint32_t badSize : {0u, 5u}) {
    const Bytes chunk = ChunkOf(kObjectChunk, Concat({ChunkWithSize(0x1111, badSize, {}), ChunkOf(0x2222, {})}));
    EXPECT_FALSE(FindSubChunk(ViewOf(chunk), 0x2222, offset, size)) << badSize;
  }
  // A header cut short at the end, and a size that points far past the end.
  const Bytes cut = Concat({ChunkOf(kObjectChunk, ChunkOf(0x1111, {})), Bytes{0x22, 0x22, 6}});
  EXPECT_FALSE(FindSubChunk(ViewOf(cut), 0x2222, offset, size));
  const Bytes far = ChunkOf(kObjectChunk, Concat({ChunkWithSize(0x1111, 0xFFFFFFFF, {}), ChunkOf(0x2222, {})}));
  EXPECT_FALSE(FindSubChunk(ViewOf(far), 0x2222, offset, size));
  EXPECT_EQ(offset, 99u);
}

TEST(ChunkNames, OneTrailingZeroIsDropped) {
  const auto object = [](const Bytes& stored) { return ChunkOf(kObjectChunk, ChunkOf(kObjectNameChunk, stored)); };
  EXPECT_EQ(NameOf(object(Text("crate"))), "crate");
  EXPECT_EQ(NameOf(object(Concat({Text("crate"), {0}}))), "crate");
  EXPECT_EQ(NameOf(object(Concat({Text("crate"), {0, 0}}))), std::string("crate\0", 6));
  EXPECT_EQ(NameOf(object({})), "");
}

TEST(ChunkNames, OfEveryKind) {
  EXPECT_EQ(NameOf(ObjectChunk("box", 9)), "box");
  EXPECT_EQ(NameOf(DefinitionChunk("door1", 6)), "door1");
  EXPECT_EQ(NameOf(InitScriptChunk("start")), "start");
  EXPECT_EQ(NameOf(VisualEffectChunk("fog")), "fog");
  EXPECT_EQ(NameOf(ObjectChunk("\xC4\xE2\xE5\xF0\xFC", 9)), "\xC4\xE2\xE5\xF0\xFC") << "bytes as stored";
}

TEST(ChunkNames, LengthsBeyondTheChunkGiveWhatIsThere) {
  // Init script: length 1000 at offset 7, four name bytes.
  EXPECT_EQ(NameOf(ChunkOf(kInitScriptChunk, Concat({{1}, U32(1000), Text("abcd")}))), "abcd");
  // Visual effect whose length field is cut short: empty.
  EXPECT_EQ(NameOf(ChunkOf(kVisualEffectChunk, Concat({Bytes(10, 0), Bytes{5, 0}}))), "");
  // Object name sub-chunk whose size runs past the chunk's end.
  EXPECT_EQ(NameOf(ChunkOf(kObjectChunk, Concat({U16(kObjectNameChunk), U32(0x7FFFFFFF), Text("xyz")}))), "xyz");
}

TEST(ChunkNames, SameNameAgreesWithTheNamesRead) {
  // Alike up to the name and not, of one length and not, names cut short
  // and none: SameName reads the second chunk only as far as the first's
  // name, and must still answer as the names read do.
  const Bytes name = ChunkOf(kObjectNameChunk, Text("crate"));
  const Bytes position = ChunkOf(kPositionChunk, U32(1));
  const std::vector<Bytes> chunks = {
      ChunkOf(kObjectChunk, Concat({name, position})),
      ChunkOf(kObjectChunk, Concat({name, ChunkOf(kPositionChunk, U32(2))})),
      ChunkOf(kObjectChunk, Concat({ChunkOf(kObjectNameChunk, Text("crata")), position})),
      ChunkOf(kObjectChunk, Concat({ChunkOf(kObjectNameChunk, Concat({Text("crate"), {0}})), position})),
      ChunkOf(kObjectChunk, Concat({ChunkOf(kObjectNameChunk, Concat({Text("crate"), {7}})), position})),
      ChunkOf(kObjectChunk, Concat({ChunkOf(kParentChunk, U32(1)), name, position})),
      ChunkOf(kObjectChunk, Concat({ChunkOf(kParentChunk, U32(2)), name, position})),
      ChunkOf(kObjectChunk, Concat({name, position, position})),
      ChunkOf(kObjectChunk, Concat({U16(kObjectNameChunk), U32(0x7FFFFFFF), Text("crate")})),
      ChunkOf(kObjectChunk, position),
      ChunkOf(kDefinitionChunk, ChunkOf(kDefinitionNameChunk, Text("crate"))),
      InitScriptChunk("crate"),
      ChunkOf(kInitScriptChunk, Bytes(3, 0)),
      ChunkOf(kRootChunk, {}),
      {},
  };
  for (size_t first = 0; first < chunks.size(); ++first)
    for (size_t second = 0; second < chunks.size(); ++second) {
      const ByteView a = ViewOf(chunks[first]);
      const ByteView b = ViewOf(chunks[second]);
      EXPECT_EQ(SameName(a, b), ChunkNameView(a) == ChunkNameView(b)) << first << " and " << second;
    }
}

TEST(ChunkNames, FailuresAreTracedAndGiveAnEmptyName) {
  TraceCollector trace;
  EXPECT_EQ(NameOf(ChunkOf(kObjectChunk, ChunkOf(kObjectTypeChunk, U32(9)))), "");
  EXPECT_EQ(NameOf(ChunkOf(kDefinitionChunk, {})), "");
  EXPECT_EQ(NameOf(ChunkOf(kRootChunk, {})), "");
  EXPECT_EQ(NameOf(ChunkOf(0x0001, {})), "");
  EXPECT_EQ(trace.TakeLines(), (std::vector<std::string>{
                                   "qScene2bin.GetChunkName: GetChunkName: NAME=NULL",
                                   "qScene2bin.GetChunkName: GetChunkName: NAME=NULL",
                                   "qScene2bin.GetChunkName: unknown chunk 4c53",
                                   "qScene2bin.GetChunkName: unknown chunk 0001",
                               }));
  EXPECT_EQ(NameOf(ChunkOf(kObjectChunk, ChunkOf(kObjectNameChunk, {}))), "");
  EXPECT_TRUE(trace.TakeLines().empty()) << "an empty name sub-chunk is no failure";
}

TEST(ChunkNames, NameOffsetAndSizeOfObjectsAndDefinitionsOnly) {
  uint32_t offset = 0;
  uint32_t size = 0;
  const Bytes definition = DefinitionChunk("door1", 6);
  GetChunkNameOffsSize(ViewOf(definition), offset, size);
  EXPECT_EQ(offset, 16u);
  EXPECT_EQ(size, 12u);

  const auto failure = [&](const Bytes& chunk) {
    try {
      GetChunkNameOffsSize(ViewOf(chunk), offset, size);
    } catch (const Exception& error) {
      return std::to_string(error.ErrorCode) + " " + error.Message;
    }
    return std::string("no error");
  };
  EXPECT_EQ(failure(ChunkOf(kObjectChunk, {})), "0 GetChunkNameOffsSize: NAME=NULL");
  EXPECT_EQ(failure(InitScriptChunk("s")), "1 GetChunkNameOffsSize: unk chunk type");
  EXPECT_EQ(failure(VisualEffectChunk("v")), "1 GetChunkNameOffsSize: unk chunk type");
}

TEST(FindChunkByName, FirstExactMatchOrMinusOne) {
  TraceCollector trace;
  ChunkList list;
  ChunkId id = 0;
  for (const Bytes& chunk : {ObjectChunk("crate", 9), ChunkOf(kObjectChunk, {}), ObjectChunk("Crate", 9),
                             ObjectChunk("crate", 4), ObjectChunk("", 9)})
    list.Append({++id, LooseChunk(chunk).chunk});
  EXPECT_EQ(FindChunkByName(list, "crate"), 0);
  EXPECT_EQ(FindChunkByName(list, "Crate"), 2);
  EXPECT_EQ(FindChunkByName(list, "crat"), -1);
  EXPECT_EQ(FindChunkByName(list, ""), 1) << "an unreadable name compares as empty";
}

}  // namespace

// Chunks carried between scenes: the clipboard's block and what it refuses,
// the names that copies get, and the lines a copy gives as text.

#include <gtest/gtest.h>

#include "scene/ChunkCatalogue.h"
#include "scene/ChunkListing.h"
#include "scene/CopiedChunks.h"
#include "scene/NumberedNames.h"
#include "tests/SceneTestSupport.h"

namespace {

using Lines = std::vector<std::string>;

const Bytes kCrate = ObjectChunk("crate", 9);
const Bytes kDoor = DefinitionChunk("door1", 6);
const Bytes kStart = InitScriptChunk("start");
const Bytes kFog = VisualEffectChunk("fog");

Bytes Block(std::initializer_list<const Bytes*> chunks) {
  std::vector<ByteView> views;
  for (const Bytes* chunk : chunks) views.push_back(ViewOf(*chunk));
  const std::vector<uint8_t> block = CopiedChunksBlock(views);
  return Bytes(block.begin(), block.end());
}

// The reason a block is refused for; empty when it is read.
std::string Refusal(const Bytes& block) {
  const Outcome<std::vector<Chunk>> read = ReadCopiedChunks(ViewOf(block));
  return read.ok() ? "" : read.failure().message;
}

Bytes Header(uint32_t length, uint32_t count, uint16_t version = 1) {
  return Concat({Text("S2CHUNKS"), U16(version), U32(length), U32(count)});
}

std::vector<std::string> Names(const ChunkList& list) {
  std::vector<std::string> names;
  for (const ChunkEntry& entry : list.Entries()) names.push_back(ChunkName(entry.chunk.Bytes()));
  return names;
}

}  // namespace

TEST(CopiedChunks, GiveBackEveryChunkByteForByteInOrder) {
  const Bytes block = Block({&kFog, &kCrate, &kStart, &kDoor, &kCrate});
  // Bytes after the length the header says are the clipboard's rounding.
  Bytes padded = block;
  padded.resize(block.size() + 13, 0xEE);
  for (const Bytes* given : {&block, static_cast<const Bytes*>(&padded)}) {
    const Outcome<std::vector<Chunk>> read = ReadCopiedChunks(ViewOf(*given));
    ASSERT_TRUE(read.ok()) << read.failure().message;
    std::vector<Bytes> chunks;
    for (const Chunk& chunk : read.value()) chunks.push_back(BytesOf(chunk.Bytes()));
    EXPECT_EQ(chunks, (std::vector<Bytes>{kFog, kCrate, kStart, kDoor, kCrate}));
  }
}

TEST(CopiedChunks, RefuseWhatNoCopyMakesWithTheReason) {
  const uint32_t crateLength = static_cast<uint32_t>(18 + 2 + kCrate.size());
  const Bytes crateEntry = Concat({U16(kObjectsSection), kCrate});
  const struct {
    const char* what;
    Bytes block;
    std::string reason;
  } cases[] = {
      {"empty", {}, "they are not chunks copied in the editor"},
      {"other text", Text("crate\tobjects\t0\t4010\tmodel"), "they are not chunks copied in the editor"},
      {"a newer format", Concat({Header(crateLength, 1, 2), crateEntry}),
       "they were copied by another version of the editor (format 2)"},
      {"a length past the bytes", Concat({Header(crateLength + 1, 1), crateEntry}),
       "their length field says " + std::to_string(crateLength + 1) + " bytes, but " + std::to_string(crateLength) +
           " are there"},
      {"a length inside the header", Concat({Header(17, 1), crateEntry}),
       "their length field says 17 bytes, less than their header"},
      {"no chunks", Header(18, 0), "they are no chunks at all"},
      {"a count the bytes can't hold", Concat({Header(crateLength, 0xFFFFFFFF), crateEntry}),
       "4294967295 chunks can't lie in " + std::to_string(crateLength) + " bytes"},
      {"a header cut short", Concat({Header(18 + 16, 2), U16(kObjectsSection), ChunkOf(kObjectChunk, Bytes(8, 0))}),
       "chunk 2 of 2: the bytes end before its header"},
      {"no section", Concat({Header(crateLength, 1), U16(0x4C53), kCrate}),
       "chunk 1 of 1: section code 4C53 is none of a scene's"},
      {"a size below a header", Concat({Header(18 + 8, 1), U16(kObjectsSection), ChunkWithSize(kObjectChunk, 5, {})}),
       "chunk 1 of 1: its size field says 5 bytes, but 6 are left"},
      {"a size past the end", Concat({Header(18 + 8, 1), U16(kObjectsSection), ChunkWithSize(kObjectChunk, 9, {})}),
       "chunk 1 of 1: its size field says 9 bytes, but 6 are left"},
      {"a chunk of no item", Concat({Header(18 + 2 + 6, 1), U16(kObjectsSection), ChunkOf(kObjectsSection, {})}),
       "chunk 1 of 1: chunk type 4000 is not an object, definition, init script or visual effect"},
      {"another section's chunk", Concat({Header(crateLength, 1), U16(kDefinitionsSection), kCrate}),
       "chunk 1 of 1: a chunk of type 4010 is said to be of the definitions"},
      {"bytes after the last", Concat({Header(crateLength + 3, 1), crateEntry, Bytes(3, 0)}),
       "3 bytes lie after the last chunk"},
  };
  for (const auto& refused : cases) {
    SCOPED_TRACE(refused.what);
    EXPECT_EQ(Refusal(refused.block), refused.reason);
  }
  // Whatever the point at which the bytes stop, they are refused.
  const Bytes block = Block({&kCrate, &kDoor});
  for (size_t length = 0; length < block.size(); ++length) {
    if (!Refusal(Bytes(block.begin(), block.begin() + static_cast<ptrdiff_t>(length))).empty()) continue;
    ADD_FAILURE() << "read though cut to " << length << " bytes";
  }
}

TEST(CopiedChunks, NamesTakenGetTheFirstNumberFreeFromTheirStem) {
  NumberedNames names;
  for (const char* name : {"crate", "crate (2)", "horn (3)"}) names.Take(name);
  EXPECT_EQ(names.Unused("crate", "crate"), "crate (3)");
  EXPECT_EQ(names.Unused("crate (2)", "crate"), "crate (4)");
  EXPECT_EQ(names.Unused("Crate", "Crate"), "Crate") << "names compare byte for byte";
  EXPECT_EQ(names.Unused("horn", "horn"), "horn");
  EXPECT_EQ(names.Unused("horn", "horn"), "horn (2)");
  EXPECT_EQ(names.Unused("horn", "horn"), "horn (4)");
  EXPECT_EQ(SplitNumber("crate (12)").stem, "crate");
  EXPECT_EQ(SplitNumber("crate (12)").number, 12u);
  for (const char* whole : {"crate (1)", "crate (02)", "crate ()", "crate (x)", "crate(2)", "(2)"})
    EXPECT_EQ(SplitNumber(whole).stem, whole);
}

TEST(CopiedChunks, AddedCopiesTakeNamesOfTheirOwnAsOneEditThatUndoes) {
  LoadedScene scene(
      Scene({Objects({kCrate, ObjectChunk("crate (2)", 9)}), Definitions({kDoor}), InitScripts({kStart})}));
  ASSERT_TRUE(scene.loaded);
  SceneDocument& document = *scene.document;
  const Bytes before = Written(document);
  const Outcome<std::vector<ChunkId>> added =
      document.AddCopies({Chunk::CopyOf(ViewOf(kCrate)), Chunk::CopyOf(ViewOf(kCrate)), Chunk::CopyOf(ViewOf(kStart)),
                          Chunk::CopyOf(ViewOf(ObjectChunk("horn", 4))), Chunk::CopyOf(ViewOf(kDoor))},
                         "paste");
  ASSERT_TRUE(added.ok()) << added.failure().message;
  EXPECT_EQ(added.value().size(), 5u);
  EXPECT_EQ(Names(document.Objects()), (Lines{"crate", "crate (2)", "crate (3)", "crate (4)", "horn"}));
  EXPECT_EQ(Names(document.Definitions()), (Lines{"door1", "door1 (2)"}));
  EXPECT_EQ(Names(document.InitScripts()), (Lines{"start", "start"})) << "a name no edit rewrites stays";
  EXPECT_EQ(BytesOf(document.Get(added.value()[3]).Bytes()), ObjectChunk("horn", 4)) << "a free name: the bytes";
  EXPECT_EQ(BytesOf(document.Get(added.value()[0]).Bytes()), ObjectChunk("crate (3)", 9));
  EXPECT_EQ(document.NextUndo(), "paste of 5 chunks");
  ASSERT_TRUE(document.Undo());
  EXPECT_EQ(Written(document), before);

  ASSERT_TRUE(document.AddCopies({Chunk::CopyOf(ViewOf(ObjectChunk("crate (2)", 9)))}, "duplicate").ok());
  EXPECT_EQ(document.NextUndo(), "duplicate of objects crate (3)");
  EXPECT_FALSE(document.AddCopies({Chunk::CopyOf(ViewOf(ChunkOf(0x0001, {})))}, "paste").ok());
  EXPECT_EQ(document.NextUndo(), "duplicate of objects crate (3)") << "a refused paste is no edit";
}

TEST(CopiedChunks, NamesThatCantBeRewrittenAreTakenBeforeTheCopiesAreNumbered) {
  LoadedScene scene(Scene({Objects({kCrate})}));
  ASSERT_TRUE(scene.loaded);
  const Bytes nameless = ChunkOf(kObjectChunk, ChunkOf(kObjectTypeChunk, U32(4)));
  ASSERT_TRUE(
      scene.document->AddCopies({Chunk::CopyOf(ViewOf(ObjectChunk("", 9))), Chunk::CopyOf(ViewOf(nameless))}, "paste")
          .ok());
  EXPECT_EQ(Names(scene.document->Objects()), (Lines{"crate", " (2)", ""}));
}

TEST(CopiedChunks, TextIsTheLinesOfTheListing) {
  LoadedScene scene(
      Scene({Objects({ObjectChunk("horn", 4), ObjectChunk("\xDF\xF9\xE8\xEA\\", 9)}), VisualEffects({kFog})}));
  ASSERT_TRUE(scene.loaded);
  const SceneDocument& document = *scene.document;
  const ChunkId chosen[] = {document.VisualEffects().At(0)->id, document.Objects().At(1)->id};
  EXPECT_EQ(ListingText(document, chosen), "viseffects\t0\tAE03\t-\tfog\nobjects\t1\t4010\tmodel\tЯщик\\x5C\n");
}

// Values typed over a chunk's structure: every known line takes back the
// text it shows unchanged, a new value shows as typed with every other byte
// as it was, a longer text keeps the sizes around it right, and each kind of
// wrong value is refused with what the line takes.

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "scene/MemoryStream.h"
#include "scene/SceneDocument.h"
#include "sound/SoundWriting.h"
#include "structure/ChunkStructure.h"
#include "structure/ValueEditing.h"
#include "tests/SceneTestSupport.h"
#include "tools/scenegen/SceneGenerator.h"

namespace {

Bytes SoundObject() {
  SoundFields fields;
  fields.Name = "horn";
  fields.SoundSector = "zone";
  Bytes chunk;
  WriteSoundObject(fields, [&chunk](size_t length) {
    chunk.resize(length);
    return chunk.data();
  });
  return chunk;
}

void EachLine(const StructureNode& node, const std::function<void(const StructureNode&)>& visit) {
  visit(node);
  for (const StructureNode& child : node.children) EachLine(child, visit);
}

// The chunk with `field` typed over, described again.
struct Edited {
  Bytes bytes;
  StructureNode root;
};
Edited Typed(const Bytes& chunk, const std::string& field, const std::string& typed) {
  const StructureNode root = DescribeChunk(ViewOf(chunk));
  const StructureNode* line = FindValueLine(root, field);
  EXPECT_NE(line, nullptr) << field;
  if (line == nullptr) return {};
  const Outcome<Chunk> edited = WithValue(ViewOf(chunk), root, *line, typed);
  EXPECT_TRUE(edited.ok()) << field << "=" << typed << ": " << (edited.ok() ? "" : edited.failure().message);
  if (!edited.ok()) return {};
  Bytes bytes = BytesOf(edited.value().Bytes());
  StructureNode described = DescribeChunk(ViewOf(bytes));
  return {std::move(bytes), std::move(described)};
}

std::string Refusal(const Bytes& chunk, const std::string& field, const std::string& typed) {
  const StructureNode root = DescribeChunk(ViewOf(chunk));
  const StructureNode* line = FindValueLine(root, field);
  if (line == nullptr) return "no line " + field;
  const Outcome<Chunk> edited = WithValue(ViewOf(chunk), root, *line, typed);
  if (edited.ok()) return "taken";
  EXPECT_EQ(edited.failure().fault, SceneFault::BadValue);
  return edited.failure().message;
}

// No fault anywhere, and every size field as long as what it spans.
void ExpectWellFormed(const StructureNode& root, size_t length) {
  EXPECT_EQ(root.size, length);
  EachLine(root, [](const StructureNode& node) {
    EXPECT_EQ(node.fault, "") << node.what;
    if (node.kind == StructureNode::Kind::Chunk) {
      EXPECT_EQ(node.size, node.length) << node.what;
    }
  });
}

// The objects and definitions of a generated scene, and a sound object.
std::vector<Bytes> GeneratedChunks() {
  SceneOptions options;
  options.objects = 80;
  options.definitions = 20;
  TMemoryStream file;
  GenerateScene(options, file);
  file.Seek(0, TStream::Origin::Begin);
  SceneDocument document;
  EXPECT_TRUE(document.Load(file).ok());
  std::vector<Bytes> chunks{SoundObject()};
  for (const ChunkList* list : {&document.Objects(), &document.Definitions()})
    for (const ChunkEntry& entry : list->Entries()) chunks.push_back(BytesOf(entry.chunk.Bytes()));
  return chunks;
}

TEST(ValueEditing, EveryKnownLineTakesBackTheTextItShows) {
  const std::vector<Bytes> chunks = GeneratedChunks();
  size_t lines = 0;
  for (const Bytes& chunk : chunks) {
    const StructureNode root = DescribeChunk(ViewOf(chunk));
    EachLine(root, [&](const StructureNode& line) {
      if (line.valueKind == ValueKind::None) return;
      ++lines;
      const Outcome<Chunk> same = WithValue(ViewOf(chunk), root, line, line.value);
      ASSERT_TRUE(same.ok()) << line.what << ": " << same.failure().message;
      EXPECT_EQ(BytesOf(same.value().Bytes()), chunk) << root.value << " " << line.what << " " << line.value;
    });
  }
  EXPECT_GT(lines, 500u);
}

TEST(ValueEditing, AFieldOfAnItemsOwnRunIsFoundAsADescriptionFindsIt) {
  // A run of set over half a million chunks finds these fields without
  // describing each chunk: it must find the line that a description finds
  // first, also past a sub-chunk of the kind that shows no value.
  std::vector<Bytes> chunks = GeneratedChunks();
  const Bytes name = ChunkOf(kObjectNameChunk, Text("crate"));
  const Bytes position = ChunkOf(kPositionChunk, Concat({U32(1), U32(2), U32(3)}));
  chunks.push_back(ChunkOf(kObjectChunk, Concat({name, ChunkOf(kPositionChunk, U32(1)), position})));
  chunks.push_back(ChunkOf(kObjectChunk, Concat({name, ChunkWithSize(kPositionChunk, 40, U32(7))})));
  chunks.push_back(ChunkOf(kObjectChunk, Concat({name, ChunkOf(kObjectTypeChunk, {1, 2}), position})));
  chunks.push_back(ChunkOf(kDefinitionChunk, ChunkOf(kDefinitionTypeChunk, U32(3))));
  chunks.push_back(InitScriptChunk("start"));
  chunks.push_back(U16(kObjectChunk));
  for (const char* field :
       {"position", "Rotation", "scale", "position_copy", "object-type", "type", "definition type"}) {
    const std::vector<const KnownSubChunk*> entries = ItemFieldEntries(field);
    ASSERT_FALSE(entries.empty()) << field;
    for (const Bytes& chunk : chunks) {
      const StructureNode root = DescribeChunk(ViewOf(chunk));
      const StructureNode* described = FindValueLine(root, field);
      for (const bool shown : {true, false}) {
        const std::optional<StructureNode> found = DescribeItemSubChunk(ViewOf(chunk), entries, shown);
        ASSERT_EQ(found.has_value(), described != nullptr) << field;
        if (!found) continue;
        EXPECT_EQ(found->offset, described->offset) << field;
        EXPECT_EQ(found->valueKind, described->valueKind) << field;
        EXPECT_EQ(found->count, described->count) << field;
        EXPECT_EQ(found->value, shown ? described->value : "") << field;
      }
    }
  }
  // Found first in a description elsewhere, or of a length that changes.
  for (const char* field : {"name", "volume level", "speed", "sector", "file", "parent", "lightmap"})
    EXPECT_TRUE(ItemFieldEntries(field).empty()) << field;
}

TEST(ValueEditing, ATypedValueReadOnceServesLinesOfEveryCount) {
  const Bytes chunk =
      ChunkOf(kObjectChunk, Concat({ChunkOf(kPositionChunk, Concat({U32(0), U32(0), U32(0)})),
                                    ChunkOf(kRotationChunk, Concat({U32(0), U32(0), U32(0), U32(0)}))}));
  const StructureNode root = DescribeChunk(ViewOf(chunk));
  const StructureNode& position = *FindValueLine(root, "position");
  const StructureNode& rotation = *FindValueLine(root, "rotation");
  for (const bool adds : {false, true}) {
    TypedValue typed("1.5, 2, -3", adds);
    const Outcome<std::string> first = typed.BytesFor(ViewOf(chunk), position);
    ASSERT_TRUE(first.ok());
    EXPECT_EQ(first.value(), FixedValueBytes(ViewOf(chunk), position, "1.5, 2, -3", adds).value());
    EXPECT_FALSE(typed.BytesFor(ViewOf(chunk), rotation).ok()) << "three numbers for four floats";
    EXPECT_EQ(typed.BytesFor(ViewOf(chunk), position).value(), first.value());
  }
}

TEST(ValueEditing, ANewValueShowsAsTypedAndLeavesEveryOtherByte) {
  const Bytes sound = SoundObject();
  struct Case {
    const char* field;
    const char* typed;
    const char* shown;
  };
  for (const Case& typed : {Case{"position", "1.5, -2, 3e2", "1.5, -2, 300"},
                            Case{"rotation", "0,0,0.5,1", "0, 0, 0.5, 1"}, Case{"scale", "2, 2, 2", "2, 2, 2"},
                            Case{"position copy", "7, 8, 9", "7, 8, 9"}, Case{"object type", "9", "9 (model)"},
                            Case{"type", "light", "2 (light)"}, Case{"volume level", "30 of 50", "30 of 50"},
                            Case{"sound type", "2", "2 - ???"}, Case{"Unk_floats", "3, 4", "3, 4"},
                            Case{"const volume radius", "12.5", "12.5"}, Case{"decrease volume radius", "250", "250"},
                            Case{"min level", "5", "5 of 50"}, Case{"speed", "0.25", "0.25"}}) {
    SCOPED_TRACE(typed.field);
    const Edited edited = Typed(sound, typed.field, typed.typed);
    ASSERT_EQ(edited.bytes.size(), sound.size());
    const StructureNode* line = FindValueLine(edited.root, typed.field);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->value, typed.shown);
    // Only the bytes of the value differ.
    const size_t start = line->kind == StructureNode::Kind::Chunk ? line->offset + kChunkHeaderSize : line->offset;
    for (size_t at = 0; at < sound.size(); ++at) {
      if (at < start || at >= start + 4 * std::max<size_t>(line->count, 1)) {
        EXPECT_EQ(edited.bytes[at], sound[at]) << at;
      }
    }
  }
}

TEST(ValueEditing, ALongerOrShorterTextKeepsTheSizesAroundItRight) {
  const Bytes sound = SoundObject();
  for (const char* file : {"sounds\\ambient\\a much longer name of a file.wav", "", "\xDF\xF9\xE8\xEA.wav"}) {
    const Edited edited = Typed(sound, "file", file);
    EXPECT_EQ(FindValueLine(edited.root, "file")->value, file);
    ExpectWellFormed(edited.root, edited.bytes.size());
  }
  const Edited sector = Typed(sound, "sector", "a parent sector named at length");
  ExpectWellFormed(sector.root, sector.bytes.size());
  // A name is written as a rename writes it: its bytes and no closing zero.
  const Edited renamed = Typed(sound, "name", "\xDF\xF9\xE8\xEA_1");
  EXPECT_EQ(renamed.root.value, "\xDF\xF9\xE8\xEA_1");
  ExpectWellFormed(renamed.root, renamed.bytes.size());
}

TEST(ValueEditing, AWrongValueIsRefusedWithWhatTheLineTakes) {
  const Bytes sound = SoundObject();
  EXPECT_EQ(Refusal(sound, "position", "1,5"),
            "\"1,5\" is no value for position: it takes 3 numbers separated by \", \", each with \".\" before its "
            "decimals, such as 0, 1.5, -2.");
  EXPECT_NE(Refusal(sound, "position", "1, 2, 3, 4").find("takes 3 numbers"), std::string::npos);
  EXPECT_NE(Refusal(sound, "scale", "1, x, 3").find("takes 3 numbers"), std::string::npos);
  EXPECT_NE(Refusal(sound, "speed", "1e40").find("a number"), std::string::npos);
  EXPECT_NE(Refusal(sound, "speed", "nan").find("a number"), std::string::npos);
  EXPECT_NE(Refusal(sound, "object type", "1").find("one of the object types 0 (other), 2 (light)"), std::string::npos);
  EXPECT_NE(Refusal(sound, "object type", "4294967296").find("object types"), std::string::npos);
  EXPECT_NE(Refusal(sound, "volume level", "51").find("from 0 to 50"), std::string::npos);
  EXPECT_NE(Refusal(sound, "max level", "-1 of 50").find("from 0 to 50"), std::string::npos);
  EXPECT_NE(Refusal(sound, "sound type", "4").find("1 - lokal, 2 - ???, 3 - global"), std::string::npos);
  EXPECT_NE(Refusal(sound, "name", "").find("one character at least"), std::string::npos);
  EXPECT_NE(Refusal(sound, "file", std::string("a\0b", 3)).find("no zero byte"), std::string::npos);
  // The message shows a name's bytes as the characters they are.
  EXPECT_EQ(Refusal(sound, "speed", "\xDF").substr(0, 4), "\"Я\"");
}

TEST(ValueEditing, BytesNoValueDescribesAreTypedOverInHex) {
  const Bytes sound = SoundObject();
  const StructureNode root = DescribeChunk(ViewOf(sound));
  const StructureNode* reserved = nullptr;
  EachLine(root, [&](const StructureNode& line) {
    if (line.type == kSound4063Chunk) reserved = &line;
  });
  ASSERT_NE(reserved, nullptr);
  ASSERT_TRUE(BytesEditable(*reserved));
  const Outcome<Chunk> typed = WithBytes(ViewOf(sound), root, *reserved, "de ad BE EF");
  ASSERT_TRUE(typed.ok()) << typed.failure().message;
  Bytes expected = sound;
  const size_t at = reserved->offset + kChunkHeaderSize;
  expected[at] = 0xDE;
  expected[at + 1] = 0xAD;
  expected[at + 2] = 0xBE;
  expected[at + 3] = 0xEF;
  EXPECT_EQ(BytesOf(typed.value().Bytes()), expected);
  for (const char* wrong : {"dead be", "dead beef 00", "xyzw 0000"})
    EXPECT_FALSE(WithBytes(ViewOf(sound), root, *reserved, wrong).ok()) << wrong;
  EXPECT_FALSE(BytesEditable(*FindValueLine(root, "position")));
}

TEST(ValueEditing, TypingOverAMalformedChunkStaysInsideIt) {
  // Sub-chunks cut short, sized below a header and past the chunk's end: a
  // leaf with no bytes of its own once made a splice far outside the chunk.
  const Bytes name = ChunkOf(kObjectNameChunk, Text("crate"));
  for (const Bytes& chunk :
       {ChunkOf(kObjectChunk, Concat({name, ChunkWithSize(kPositionChunk, 3, {})})),
        ChunkOf(kObjectChunk, Concat({name, ChunkWithSize(kSoundChunk, 40, U32(7))})),
        ChunkOf(kObjectChunk, Concat({name, U16(kRotationChunk)})), ChunkWithSize(kObjectChunk, 2, {})}) {
    const StructureNode root = DescribeChunk(ViewOf(chunk));
    EachLine(root, [&](const StructureNode& line) {
      const Outcome<Chunk> typed =
          BytesEditable(line)
              ? WithBytes(ViewOf(chunk), root, line, std::string(2 * LeafBytes(ViewOf(chunk), line).Length(), '0'))
              : WithValue(ViewOf(chunk), root, line, line.value);
      if (typed.ok()) {
        EXPECT_EQ(typed.value().Length(), chunk.size()) << line.what;
      }
    });
  }
}

TEST(ValueEditing, AValueSetIsOneEditThatAnUndoTakesBack) {
  SceneDocument document;
  ASSERT_TRUE(document.Load(*StreamOf(Scene({Objects({ObjectChunk("crate", 9), ObjectChunk("barrel", 9)})}))).ok());
  const Bytes before = Written(document);
  const ChunkRef crate = RefAt(document.Objects(), 0);
  const StructureNode root = DescribeChunk(crate.Bytes());
  const Outcome<Chunk> moved = WithValue(crate.Bytes(), root, *FindValueLine(root, "object type"), "2");
  ASSERT_TRUE(moved.ok());
  ASSERT_TRUE(document.SetValue(crate, moved.value(), "object type").ok());
  EXPECT_EQ(document.NextUndo(), "object type of crate");
  EXPECT_NE(Written(document), before);
  ASSERT_TRUE(document.Undo());
  EXPECT_EQ(Written(document), before);
  EXPECT_EQ(document.NextRedo(), "object type of crate");
  // A name that another chunk holds is refused as a rename refuses it.
  const StructureNode barrel = DescribeChunk(RefAt(document.Objects(), 1).Bytes());
  const Outcome<Chunk> renamed =
      WithValue(RefAt(document.Objects(), 1).Bytes(), barrel, *FindValueLine(barrel, "name"), "crate");
  ASSERT_TRUE(renamed.ok());
  const Outcome<EditDone> taken = document.SetValue(RefAt(document.Objects(), 1), renamed.value(), "name");
  ASSERT_FALSE(taken.ok());
  EXPECT_EQ(taken.failure().fault, SceneFault::NameTaken);
}

TEST(ValueEditing, AValueOfAChunkWhoseNameAnEarlierOneSharesIsTaken) {
  // The file may hold a name twice: a value set on the second is no rename,
  // while a replace by the old rule still counts the first holder only.
  SceneDocument document;
  ASSERT_TRUE(document.Load(*StreamOf(Scene({Objects({ObjectChunk("crate", 9), ObjectChunk("crate", 9)})}))).ok());
  const ChunkRef second = RefAt(document.Objects(), 1);
  const StructureNode root = DescribeChunk(second.Bytes());
  const Outcome<Chunk> moved = WithValue(second.Bytes(), root, *FindValueLine(root, "object type"), "2");
  ASSERT_TRUE(moved.ok());
  const Outcome<EditDone> replaced = document.Replace(second, moved.value());
  ASSERT_FALSE(replaced.ok());
  EXPECT_EQ(replaced.failure().fault, SceneFault::NameTaken);
  ASSERT_TRUE(document.SetValue(second, moved.value(), "object type").ok());
  EXPECT_EQ(GetObjectType(RefAt(document.Objects(), 1).Bytes()), 2u);
}

}  // namespace

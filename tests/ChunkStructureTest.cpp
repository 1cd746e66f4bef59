// The description of a chunk's structure: generated scenes, hand-made
// sub-chunks and malformed chunks, each held in a buffer of exactly its
// length so that a read past its end stops the test under ASan.

#include <gtest/gtest.h>

#include <sstream>

#include "sound/SoundReading.h"
#include "sound/SoundWriting.h"
#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "scene/MemoryStream.h"
#include "scene/SceneDocument.h"
#include "structure/ChunkStructure.h"
#include "tests/SceneTestSupport.h"
#include "tools/scene2/SceneCheck.h"
#include "tools/scene2/StructureText.h"
#include "tools/scenegen/SceneGenerator.h"

namespace {

std::string Lines(const Bytes& chunk, bool hex = false) {
  std::ostringstream out;
  WriteStructureLines(out, ViewOf(chunk), DescribeChunk(ViewOf(chunk)), hex);
  return out.str();
}

// Every node within its parent, the children of a well-formed run end to end.
void ExpectTiled(const StructureNode& node) {
  size_t at = node.offset + (node.kind == StructureNode::Kind::Chunk ? kChunkHeaderSize : 0);
  for (const StructureNode& child : node.children) {
    EXPECT_EQ(child.offset, at) << "a gap or an overlap before a child of the node at " << node.offset;
    EXPECT_EQ(child.fault, "");
    at = child.offset + child.length;
    ExpectTiled(child);
  }
  if (!node.children.empty()) {
    EXPECT_EQ(at, node.offset + node.length);
  }
}

const StructureNode* ChildOfType(const StructureNode& node, uint16_t type) {
  for (const StructureNode& child : node.children)
    if (child.kind == StructureNode::Kind::Chunk && child.type == type) return &child;
  return nullptr;
}

Bytes SoundObject(const SoundFields& fields) {
  Bytes chunk;
  WriteSoundObject(fields, [&chunk](size_t length) {
    chunk.resize(length);
    return chunk.data();
  });
  return chunk;
}

TEST(ChunkStructure, GeneratedItemsAreTiledNamedAndTyped) {
  SceneOptions options;
  options.objects = 60;
  options.definitions = 30;
  options.initScripts = 5;
  options.visualEffects = 5;
  TMemoryStream file;
  GenerateScene(options, file);
  file.Seek(0, TStream::Origin::Begin);
  SceneDocument document;
  ASSERT_TRUE(document.Load(file).ok());

  size_t sounds = 0;
  for (const ChunkList* list :
       {&document.Objects(), &document.Definitions(), &document.InitScripts(), &document.VisualEffects()}) {
    for (const ChunkEntry& entry : list->Entries()) {
      const ByteView chunk = entry.chunk.Bytes();
      const StructureNode item = DescribeChunk(chunk);
      SCOPED_TRACE(item.what + " " + item.value);
      EXPECT_EQ(item.length, chunk.Length());
      EXPECT_EQ(item.value, GetChunkName(chunk));
      ExpectTiled(item);
      const uint16_t type = GetChunkType(chunk);
      if (type == kObjectChunk && ChildOfType(item, kObjectTypeChunk) != nullptr) {
        EXPECT_EQ(ChildOfType(item, kObjectTypeChunk)->value,
                  std::to_string(GetObjectType(chunk)) + " (" + ObjectTypeName(GetObjectType(chunk)) + ")");
      }
      if (type == kDefinitionChunk) {
        EXPECT_EQ(ChildOfType(item, kDefinitionTypeChunk)->value,
                  std::to_string(GetDefinitionType(chunk)) + " (" + DefinitionTypeName(GetDefinitionType(chunk)) + ")");
      }
      if (type == kInitScriptChunk || type == kVisualEffectChunk) {
        ASSERT_GE(item.children.size(), 3u);
        EXPECT_EQ(item.children[2].what, "name");
        EXPECT_EQ(item.children[2].value, item.value);
      }
      SoundFields fields;
      if (type != kObjectChunk || GetObjectType(chunk) != kSoundObjectType) continue;
      ++sounds;
      ASSERT_TRUE(ReadSoundObject(fields, chunk.Data(), static_cast<int32_t>(chunk.Length()), {}));
      const StructureNode& settings = *ChildOfType(item, kSoundChunk);
      EXPECT_EQ(ChildOfType(settings, kObjectNameChunk)->value, fields.SoundFile);
      EXPECT_EQ(ChildOfType(settings, kSoundTypeChunk)->value,
                kSoundTypeTexts.at(static_cast<size_t>(fields.SoundType)));
      EXPECT_EQ(ChildOfType(settings, kSpeedChunk)->value, fields.Speed);
      const StructureNode& radii = *ChildOfType(settings, kRadiiChunk);
      ASSERT_EQ(radii.children.size(), 4u);
      EXPECT_EQ(radii.children[1].value, fields.DecreaseRadius);
      EXPECT_EQ(ChildOfType(item, kParentChunk)->children.at(0).value, fields.ParentSector);
    }
  }
  EXPECT_GT(sounds, 0u);
}

TEST(ChunkStructure, ShowsASoundObjectAsItsDialogDoes) {
  SoundFields fields;
  fields.Name = "\xDF\xF9\xE8\xEA";  // "Ящик" in Windows-1251
  fields.SoundSector = "zone";
  fields.SoundType = 2;
  EXPECT_EQ(Lines(SoundObject(fields)),
            "0 4010 250 object: Ящик\n"
            "  6 4011 10 object type: 4 (sound)\n"
            "  16 0010 10 name: Ящик\n"
            "  26 0020 18 position: 0, 0, 0\n"
            "  44 0022 22 rotation: 1, 0, 0, 0\n"
            "  66 002D 18 scale: 1, 1, 1\n"
            "  84 002C 18 position copy: 0, 0, 0\n"
            "  102 4020 27 parent\n"
            "    108 0010 21 sector: Primary sector\n"
            "  129 4060 121 sound settings\n"
            "    135 0010 16 file: sound.wav\n"
            "    151 4061 10 sound type: 3 - global\n"
            "    161 4062 10 volume level: 50 of 50\n"
            "    171 4063 10\n"
            "    181 4064 14 Unk floats: 1, 1.5\n"
            "    195 4068 22 volume radii and levels\n"
            "      201 - 4 const volume radius: 10\n"
            "      205 - 4 decrease volume radius: 100\n"
            "      209 - 4 min level: 0 of 50\n"
            "      213 - 4 max level: 50 of 50\n"
            "    217 4066 6\n"
            "    223 4067 6\n"
            "    229 B800 10 speed: 1\n"
            "    239 B200 11 sector: zone\n");
}

// The plug-in takes no value from a setting too short to hold it whole: the
// speed it shows is the earlier one's, and the radii cut short get no fields.
TEST(ChunkStructure, ASoundSettingCutShortShowsNoValue) {
  const Bytes object = ChunkOf(
      kObjectChunk, Concat({ChunkOf(kObjectTypeChunk, U32(4)),
                            ChunkOf(kSoundChunk, Concat({ChunkOf(kSpeedChunk, U32(0x41100000)),  // 9.0f
                                                         ChunkOf(kSpeedChunk, Bytes{0, 0, 0}),
                                                         ChunkOf(kRadiiChunk, Bytes(12, 0))}))}));
  EXPECT_EQ(Lines(object),
            "0 4010 59 object\n"
            "  6 4011 10 object type: 4 (sound)\n"
            "  16 4060 43 sound settings\n"
            "    22 B800 10 speed: 9\n"
            "    32 B800 9 speed\n"
            "    41 4068 18 volume radii and levels\n");
}

TEST(ChunkStructure, NestsOnlyKnownHoldersAndWholeRuns) {
  const Bytes run = ChunkOf(0x0001, U32(7));
  const Bytes object = ChunkOf(
      kObjectChunk, Concat({ChunkOf(0x3000, run), ChunkOf(0x3001, Concat({run, {1}})), ChunkOf(kLightmapChunk, {})}));
  EXPECT_EQ(Lines(object, true),
            "0 4010 45 object\n"
            "  6 3000 16\n"
            "    12 0001 10\n"
            "      18: 07 00 00 00\n"
            "  22 3001 17\n"
            "    28: 01 00 0A 00 00 00 07 00 00 00 01\n"
            "  39 4090 6 lightmap\n");
}

TEST(ChunkStructure, ShowsAMalformedChunkUpToItsFaultInCheckWords) {
  const Bytes name = ChunkOf(kObjectNameChunk, Text("a"));
  struct Case {
    const char* label;
    Bytes chunk;
    std::string lines;
  } cases[] = {
      {"too short for a header", {0x10, 0x40, 7}, "0 - 3 fault: 3 bytes make no chunk header\n"},
      {"bytes after the sub-chunks", ChunkOf(kObjectChunk, Concat({name, {1, 2, 3}})),
       "0 4010 16 object: a\n  6 0010 7 name: a\n  13 - 3 fault: 3 bytes at the chunk's end make no sub-chunk\n"},
      {"a size below the header", ChunkOf(kObjectChunk, Concat({name, ChunkWithSize(0x0020, 2, {9, 9})})),
       "0 4010 21 object: a\n  6 0010 7 name: a\n"
       "  13 0020 2 fault: sub-chunk 0020 has size 2, less than its header\n"},
      {"a parent's name past its end",
       ChunkOf(kObjectChunk, ChunkWithSize(kParentChunk, 20, ChunkWithSize(kObjectNameChunk, 40, Text("ab")))),
       "0 4010 20 object\n"
       "  6 4020 20 parent fault: sub-chunk 4020 of size 20 runs past the end of its chunk by 6 bytes\n"
       "    12 0010 40 name: ab fault: sub-chunk 0010 of size 40 runs past the end of its chunk by 32 bytes\n"},
      {"a name past the chunk", ChunkOf(kDefinitionChunk, ChunkWithSize(kDefinitionNameChunk, 12, Text("ab"))),
       "0 AE21 14 definition: ab\n"
       "  6 AE23 12 name: ab fault: sub-chunk AE23 of size 12 runs past the end of its chunk by 4 bytes\n"},
      {"an init script without its name length", ChunkOf(kInitScriptChunk, {1, 5, 0}),
       "0 AE51 9 init script\n  6 - 1\n  7 - 2 name length fault: the chunk ends before the length of its name\n"},
      {"a visual effect's name past its end", ChunkOf(kVisualEffectChunk, Concat({Bytes(10, 0), U32(9), Text("fx")})),
       "0 AE03 22 visual effect: fx\n  6 - 10\n"
       "  16 - 4 name length: 9 fault: its name's length 9 runs past the chunk's end by 7 bytes\n"
       "  20 - 2 name: fx\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(Lines(c.chunk), c.lines);
  }
  // scene2 check words the same faults.
  const Bytes scene = Scene({Objects({cases[1].chunk}), VisualEffects({cases[6].chunk})});
  std::string problems;
  for (const Problem& problem : CheckScene(ViewOf(scene))) problems += problem.text + "\n";
  EXPECT_NE(problems.find(": 3 bytes at the chunk's end make no sub-chunk\n"), std::string::npos) << problems;
  EXPECT_NE(problems.find(": its name's length 9 runs past the chunk's end by 7 bytes\n"), std::string::npos)
      << problems;
}

TEST(ChunkStructure, DeepNestingEndsInALeaf) {
  Bytes chunk = ChunkOf(0x0001, {});
  for (int level = 0; level < 5000; ++level) chunk = ChunkOf(0x0001, chunk);
  const StructureNode root = DescribeChunk(ViewOf(chunk));
  size_t depth = 0;
  for (const StructureNode* node = &root; !node->children.empty(); node = &node->children.front()) ++depth;
  EXPECT_GT(depth, 8u);
  EXPECT_LT(depth, 100u);
}

}  // namespace

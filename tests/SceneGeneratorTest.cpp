// The scene generator: its files must load in the scene model and save back
// unchanged, whatever the options, and the same options must give the same bytes.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

#include "sound/SoundReading.h"
#include "sound/SoundWriting.h"
#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "scene/SceneDocument.h"
#include "tests/SceneTestSupport.h"
#include "tools/scenegen/SceneGenCli.h"
#include "tools/scenegen/SceneGenerator.h"

namespace {

std::string Contents(const TMemoryStream& stream) {
  return std::string(reinterpret_cast<const char*>(stream.Data()), stream.Length());
}

std::string Generated(const SceneOptions& options) {
  TMemoryStream out;
  GenerateScene(options, out);
  return Contents(out);
}

SceneOptions Counts(uint32_t objects, uint32_t definitions, uint32_t initScripts, uint32_t visualEffects) {
  SceneOptions options;
  options.objects = objects;
  options.definitions = definitions;
  options.initScripts = initScripts;
  options.visualEffects = visualEffects;
  return options;
}

// A generated scene read into a document, the trace dropped.
struct LoadedScene {
  explicit LoadedScene(const SceneOptions& options) : bytes(Generated(options)) {
    TMemoryStream in(bytes.data(), bytes.size());
    in.Seek(0, TStream::Origin::Begin);
    loaded = document.Load(in).ok();
  }

  std::string Saved() const {
    TMemoryStream out;
    EXPECT_TRUE(document.Write(out).ok());
    return Contents(out);
  }

  std::set<uint32_t> ObjectTypes() const {
    std::set<uint32_t> types;
    for (const ChunkEntry& entry : document.Objects().Entries()) types.insert(GetObjectType(entry.chunk.Bytes()));
    return types;
  }

  std::set<uint32_t> DefinitionTypes() const {
    std::set<uint32_t> types;
    for (const ChunkEntry& entry : document.Definitions().Entries())
      types.insert(GetDefinitionType(entry.chunk.Bytes()));
    return types;
  }

  SceneDocument document;
  std::string bytes;
  bool loaded = false;
};

// Every object type code that has a display name; the last three are "LMAP", "SCTR" and "LENS".
const std::set<uint32_t> kKnownTypes = {0, 2, 3, 4, 6, 9, 12, 14, 0x50414D4C, 0x52544353, 0x534E454C};

TEST(SceneGenerator, SameSeedGivesSameBytesAnotherSeedOthers) {
  SceneOptions options;
  options.seed = 42;
  const std::string first = Generated(options);
  EXPECT_EQ(Generated(options), first);
  options.seed = 43;
  EXPECT_NE(Generated(options), first);
}

TEST(SceneGenerator, LoadsWithTheAskedCountsAndSavesBackUnchanged) {
  SceneOptions unknown = Counts(300, 300, 3, 3);
  unknown.unknownTypes = true;
  SceneOptions padded = Counts(20, 10, 5, 5);
  padded.targetBytes = 300000;
  const struct {
    const char* name;
    SceneOptions options;
  } cases[] = {
      {"defaults", SceneOptions{}},     {"sample", Counts(40, 20, 5, 5)}, {"only init scripts", Counts(0, 0, 3, 0)},
      {"no items", Counts(0, 0, 0, 0)}, {"unknown types", unknown},       {"padded", padded},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.name);
    const LoadedScene scene(each.options);
    ASSERT_TRUE(scene.loaded);
    EXPECT_EQ(scene.document.FileSize(), static_cast<int32_t>(scene.bytes.size()));
    EXPECT_EQ(scene.document.Objects().Count(), static_cast<int32_t>(each.options.objects));
    EXPECT_EQ(scene.document.Definitions().Count(), static_cast<int32_t>(each.options.definitions));
    EXPECT_EQ(scene.document.InitScripts().Count(), static_cast<int32_t>(each.options.initScripts));
    EXPECT_EQ(scene.document.VisualEffects().Count(), static_cast<int32_t>(each.options.visualEffects));
    EXPECT_GE(scene.document.Heads().Count(), 2);
    EXPECT_TRUE(scene.Saved() == scene.bytes);
  }
}

TEST(SceneGenerator, EveryItemHasTheChunkTypeOfItsSectionAndAName) {
  const LoadedScene scene(Counts(500, 200, 100, 100));
  ASSERT_TRUE(scene.loaded);
  const struct {
    const ChunkList& list;
    uint16_t type;
  } sections[] = {{scene.document.Objects(), kObjectChunk},
                  {scene.document.Definitions(), kDefinitionChunk},
                  {scene.document.InitScripts(), kInitScriptChunk},
                  {scene.document.VisualEffects(), kVisualEffectChunk}};
  for (const auto& section : sections) {
    SCOPED_TRACE(section.type);
    std::set<std::string> names;
    int wrongType = 0;
    int unnamed = 0;
    for (const ChunkEntry& entry : section.list.Entries()) {
      wrongType += GetChunkType(entry.chunk.Bytes()) != section.type;
      const std::string name = GetChunkName(entry.chunk.Bytes());
      unnamed += name.empty() || name.find('\0') != std::string::npos;
      names.insert(name);
    }
    EXPECT_EQ(wrongType, 0);
    EXPECT_EQ(unnamed, 0);
    // Mostly unique, yet some shared by several items.
    const auto count = static_cast<size_t>(section.list.Count());
    EXPECT_GT(names.size(), count * 8 / 10);
    EXPECT_LT(names.size(), count);
  }
}

TEST(SceneGenerator, OneNameNamesEveryItem) {
  SceneOptions options = Counts(300, 50, 20, 20);
  options.oneName = "crate";
  const LoadedScene scene(options);
  ASSERT_TRUE(scene.loaded);
  for (const ChunkList* list : {&scene.document.Objects(), &scene.document.Definitions(), &scene.document.InitScripts(),
                                &scene.document.VisualEffects()})
    for (const ChunkEntry& entry : list->Entries()) ASSERT_EQ(GetChunkName(entry.chunk.Bytes()), "crate");
}

TEST(SceneGenerator, EveryKnownObjectTypeOccursEvenInTheSmallestScene) {
  for (uint64_t seed : {1u, 2u, 3u}) {
    SCOPED_TRACE(seed);
    SceneOptions options = Counts(static_cast<uint32_t>(kKnownTypes.size()), 0, 0, 0);
    options.seed = seed;
    EXPECT_EQ(LoadedScene(options).ObjectTypes(), kKnownTypes);
  }
}

TEST(SceneGenerator, UsesTypeCodesWithoutANameOnlyWhenAsked) {
  SceneOptions options = Counts(1000, 1000, 0, 0);
  const LoadedScene plain(options);
  EXPECT_EQ(plain.ObjectTypes(), kKnownTypes);
  EXPECT_LT(*plain.DefinitionTypes().rbegin(), kDefinitionTypeCount);

  options.unknownTypes = true;
  const LoadedScene unknown(options);
  const std::set<uint32_t> objectTypes = unknown.ObjectTypes();
  for (uint32_t code : {1u, 5u, 0x77u}) EXPECT_EQ(objectTypes.count(code), 1u) << code;
  EXPECT_GE(*unknown.DefinitionTypes().rbegin(), kDefinitionTypeCount);
}

TEST(SceneGenerator, TargetBytesGrowsTheFileToAboutThatSize) {
  SceneOptions options = Counts(200, 50, 20, 20);
  const size_t unpadded = Generated(options).size();
  for (uint32_t target : {100000u, 1000000u, 5000000u}) {
    SCOPED_TRACE(target);
    options.targetBytes = target;
    const size_t size = Generated(options).size();
    EXPECT_GE(size, target - target / 100);
    EXPECT_LE(size, target);
  }
  // A target below what the items need adds nothing.
  options.targetBytes = static_cast<uint32_t>(unpadded / 2);
  EXPECT_EQ(Generated(options).size(), unpadded);
}

class SceneGenCli : public testing::Test {
 protected:
  int Run(const std::vector<std::string>& args) {
    std::ostringstream outStream;
    std::ostringstream errStream;
    const int status = RunSceneGen(args, outStream, errStream);
    out = outStream.str();
    err = errStream.str();
    return status;
  }

  std::string FirstErrorLine() const { return err.substr(0, err.find('\n')); }

  ScratchFolder folder;
  const std::string path = folder.Path("scenegen-cli.bin");
  std::string out;
  std::string err;
};

TEST_F(SceneGenCli, WritesTheSceneOfItsOptions) {
  ASSERT_EQ(Run({"--objects", "12", "--seed", "9", "--definitions", "3", "--initscripts", "0", "--viseffects", "1",
                 "--unknown-types", "--target-bytes", "20000", path}),
            0);
  EXPECT_EQ(err, "");
  SceneOptions options = Counts(12, 3, 0, 1);
  options.seed = 9;
  options.unknownTypes = true;
  options.targetBytes = 20000;
  std::ifstream file(path, std::ios::binary);
  const std::string written((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  file.close();
  std::remove(path.c_str());
  EXPECT_TRUE(written == Generated(options));
}

TEST_F(SceneGenCli, RefusesBadUsageWithStatusTwo) {
  const struct {
    std::vector<std::string> args;
    const char* problem;
  } cases[] = {
      {{}, "scenegen: no output file"},
      {{"a.bin", "b.bin"}, "scenegen: more than one output file"},
      {{"--bogus", "a.bin"}, "scenegen: unknown option --bogus"},
      {{"a.bin", "--objects"}, "scenegen: --objects needs a number from 0 to 2147483647"},
      {{"--objects", "-1", "a.bin"}, "scenegen: --objects needs a number from 0 to 2147483647"},
      {{"--objects", "2147483648", "a.bin"}, "scenegen: --objects needs a number from 0 to 2147483647"},
      {{"--target-bytes", "1e6", "a.bin"}, "scenegen: --target-bytes needs a number from 0 to 2147483647"},
      {{"--seed", "18446744073709551616", "a.bin"}, "scenegen: --seed needs a number from 0 to 18446744073709551615"},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.problem);
    EXPECT_EQ(Run(each.args), 2);
    EXPECT_EQ(FirstErrorLine(), each.problem);
    EXPECT_NE(err.find("\nusage: scenegen "), std::string::npos);
  }
}

TEST_F(SceneGenCli, ReportsAFileItCannotCreateOrWrite) {
  const std::string missing = folder.Path("no-such-folder/scene2.bin");
  EXPECT_EQ(Run({missing}), 1);
  EXPECT_EQ(err, "scenegen: cannot create " + missing + ": No such file or directory\n");
#ifndef _WIN32
  FileSizeLimit limit(1024);
  EXPECT_EQ(Run({"--target-bytes", "20000", path}), 1);
  EXPECT_EQ(err, "scenegen: cannot write " + path + ": write failed: File too large\n");
#endif
}

}  // namespace

namespace {

TEST(SceneGenerator, SoundObjectsAreThePlugInsOwnAndReadBackAsTheirFields) {
  const LoadedScene scene(Counts(300, 0, 0, 0));
  ASSERT_TRUE(scene.loaded);
  int sounds = 0;
  std::set<std::string> files;
  std::set<int> volumes;
  for (const ChunkEntry& entry : scene.document.Objects().Entries()) {
    const ByteView chunk = entry.chunk.Bytes();
    if (GetObjectType(chunk) != kSoundObjectType) continue;
    ++sounds;
    SoundFields fields;
    ASSERT_TRUE(ReadSoundObject(fields, chunk.Data(), static_cast<int32_t>(chunk.Length()),
                                [](const std::string& message) { ADD_FAILURE() << message; }));
    // Written again from the fields read, the object is the same bytes: they
    // are the fields it was written from.
    std::vector<uint8_t> again;
    WriteSoundObject(fields, [&again](size_t length) {
      again.resize(length);
      return again.data();
    });
    EXPECT_EQ(std::string(again.begin(), again.end()), chunk.Bytes()) << GetChunkName(chunk);
    files.insert(fields.SoundFile);
    volumes.insert(fields.Volume);
  }
  EXPECT_GT(sounds, 10);
  EXPECT_GT(files.size(), 5u) << "the fields vary";
  EXPECT_GT(volumes.size(), 5u);
}

}  // namespace

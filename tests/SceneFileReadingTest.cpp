// A scene file as the core reads it: whole into memory of its own, its root
// header first. A file refused at that header costs no more than the header,
// however long it is; a file changed on disk after a load reaches nothing
// that a save writes.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

#include "os/FileImage.h"
#include "os/FileSystem.h"
#include "scene/ChunkTypes.h"
#include "scene/LittleEndian.h"
#include "scene/RootHeader.h"
#include "scene/SceneFileBytes.h"
#include "tests/SceneTestSupport.h"

namespace {

constexpr uint64_t kFourGiB = uint64_t{4} << 30;
const std::string kCantReadHeader = "qScene2bin.ReadFromFile: qScene2bin.ReadFromFile: cant read header";

os::Result<SceneFileBytes> ReadScene(const std::string& path) {
  os::Result<std::FILE*> opened = os::OpenForReading(path);
  if (!opened.ok()) return opened.failure();
  return ReadSceneFile(opened.value());
}

struct FileLoad : TracedLoad {
  explicit FileLoad(const std::string& path)
      : TracedLoad([&path](SceneDocument& loading) { return loading.Load(path).ok(); }) {}
};

TEST(SceneFileReading, RefusesALongFileFromItsRootHeaderAlone) {
  const struct {
    const char* what;
    Bytes head;
    std::string cause;
    int32_t fileSize;
  } cases[] = {
      {"zeros", {}, "scene2.bin: incorrect file signature", 0},
      {"a negative root size", Concat({U16(kRootChunk), U32(0xFFFFFFFF)}),
       "qScene2bin.ReadHeadFromStream: root size 4294967295 is above 2147483647, the most a scene can have", -1},
  };
  ScratchFolder folder;
  const std::string path = folder.Path("long.bin");
  for (const auto& [what, head, cause, fileSize] : cases) {
    SCOPED_TRACE(what);
    if (!WriteLongFile(path, head, kFourGiB)) GTEST_SKIP() << "the file system refuses a file of 4 GiB";
    os::Result<SceneFileBytes> read = ReadScene(path);
    ASSERT_TRUE(read.ok()) << read.reason();
    EXPECT_EQ(read.value().length, kFourGiB);
    EXPECT_EQ(read.value().image.Size(), kRootHeaderSize);
    EXPECT_FALSE(read.value().Whole());

    FileLoad load(path);
    EXPECT_FALSE(load.loaded);
    EXPECT_EQ(load.lines, (std::vector<std::string>{"* qScene2bin.clear done *", "qScene2bin.ReadFromFile: file open",
                                                    cause, kCantReadHeader}));
    EXPECT_EQ(load.document->FileSize(), fileSize);
  }
}

// A file that runs on far past its root's end is read as far as the root
// covers, and refused for the rest from its length alone: no memory for it,
// no time to read it.
TEST(SceneFileReading, RefusesALongTailFromWhatTheRootCovers) {
  const Bytes scene = SceneFile({ChunkOf(1, {}), ChunkOf(kObjectsSection, ObjectChunk("crate", 9))});
  ScratchFolder folder;
  const std::string path = folder.Path("long.bin");
  if (!WriteLongFile(path, scene, kFourGiB)) GTEST_SKIP() << "the file system refuses a file of 4 GiB";
  os::Result<SceneFileBytes> read = ReadScene(path);
  ASSERT_TRUE(read.ok()) << read.reason();
  EXPECT_EQ(read.value().length, kFourGiB);
  EXPECT_EQ(read.value().image.Size(), scene.size() + 6) << "the root and a section header that begins in it";
  EXPECT_EQ(Bytes(read.value().image.Data(), read.value().image.Data() + scene.size()), scene);

  FileLoad load(path);
  EXPECT_FALSE(load.loaded);
  EXPECT_EQ(load.lines.back(), "qScene2bin.ReadFromFile: offset " + std::to_string(scene.size()) + ": " +
                                   std::to_string(kFourGiB - scene.size()) +
                                   " bytes after the root's end (a load fails here)");
}

// Where the sections run on past the root's end, the walk needs more than
// the root covers: then the file is read whole, as any other.
TEST(SceneFileReading, SectionsPastTheRootsEndAreReadWhole) {
  const Bytes objects = ChunkOf(kObjectsSection, Concat({ObjectChunk("crate", 9), ObjectChunk("horn", 4)}));
  const Bytes definitions = ChunkOf(kDefinitionsSection, DefinitionChunk("door", 6));
  const struct {
    const char* what;
    Bytes file;
    bool loads;
  } cases[] = {
      {"to the file's end", Concat({U16(kRootChunk), U32(20), ChunkOf(1, {}), objects}), true},
      {"to the file's end, a second section in the root",
       Concat({U16(kRootChunk), U32(static_cast<uint32_t>(12 + objects.size() + 4)), ChunkOf(1, {}), objects,
               definitions}),
       true},
      {"and the file on past them", Concat({U16(kRootChunk), U32(20), ChunkOf(1, {}), objects, Bytes(40, 0)}), false},
      {"past the file's end",
       Concat({U16(kRootChunk), U32(20), ChunkOf(1, {}), Bytes(objects.begin(), objects.end() - 1)}), false},
  };
  ScratchFolder folder;
  const std::string path = folder.Path("scene2.bin");
  for (const auto& [what, file, loads] : cases) {
    SCOPED_TRACE(what);
    WriteFileBytes(path, file);
    os::Result<SceneFileBytes> read = ReadScene(path);
    ASSERT_TRUE(read.ok()) << read.reason();
    EXPECT_TRUE(read.value().Whole());
    FileLoad fromFile(path);
    const TracedLoad fromMemory([&file](SceneDocument& loading) { return loading.Load(*StreamOf(file)).ok(); });
    EXPECT_EQ(fromFile.loaded, loads);
    EXPECT_EQ(fromFile.lines, fromMemory.lines);
  }
}

TEST(SceneFileReading, RefusesAFileAtItsHeaderAsALoadFromMemoryDoes) {
  const Bytes objects = ChunkOf(kObjectsSection, ObjectChunk("o", 9));
  const Bytes cases[] = {
      Bytes{},
      Bytes{0x53, 0x4C, 0x06, 0},
      Concat({U16(0x534C), U32(12), ChunkOf(1, {}), objects}),
      Concat({U16(kRootChunk), U32(63), ChunkOf(1, {}), objects}),
      Concat({U16(kRootChunk), U32(0xFFFFFFF0), ChunkOf(1, {}), objects}),
      Concat({U16(kRootChunk), U32(static_cast<uint32_t>(12 + objects.size() + 2)), ChunkOf(1, {}), objects}),
  };
  ScratchFolder folder;
  const std::string path = folder.Path("scene2.bin");
  for (const Bytes& file : cases) {
    SCOPED_TRACE(testing::PrintToString(file));
    WriteFileBytes(path, file);
    FileLoad fromFile(path);
    const TracedLoad fromMemory([&file](SceneDocument& loading) { return loading.Load(*StreamOf(file)).ok(); });
    EXPECT_EQ(fromFile.loaded, fromMemory.loaded);
    EXPECT_EQ(fromFile.lines, fromMemory.lines);
    EXPECT_EQ(fromFile.document->FileSize(), fromMemory.document->FileSize());
  }
}

TEST(SceneFileReading, AFileShorterThanItsLengthSaidFailsTheRead) {
  ScratchFolder folder;
  const std::string path = folder.Path("short.bin");
  WriteFileBytes(path, Bytes(10, 7));
  os::Result<std::FILE*> opened = os::OpenForReading(path);
  ASSERT_TRUE(opened.ok()) << opened.reason();
  os::FileImage image;
  const os::Status read = os::LoadFile(opened.value(), 20, image);
  std::fclose(opened.value());
  ASSERT_FALSE(read.ok());
  EXPECT_EQ(read.reason(), "the file changed while it was being read");
  EXPECT_EQ(image.Size(), 0u);
}

// A file read in pieces, a load walking each as it comes: the reads stop
// where the file ends early, and a change behind the pieces already read
// shows when the rest is read.
TEST(SceneFileReading, AnImageReadInStepsFailsWhenTheFileChangesMeanwhile) {
  const struct {
    const char* what;
    void (*change)(const std::string& path);
  } changes[] = {
      {"cut short", [](const std::string& path) { std::filesystem::resize_file(path, 100); }},
      {"rewritten in place",
       [](const std::string& path) {
         std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
         file.write("changed", 7);
         file.close();
         // A rewrite within the clock's tick of the first look keeps the
         // file's times: as it would stand a moment later.
         std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) - std::chrono::hours(1));
       }},
  };
  ScratchFolder folder;
  const std::string path = folder.Path("pieces.bin");
  const Bytes content(3 << 20, 0x5A);
  for (const auto& [what, change] : changes) {
    SCOPED_TRACE(what);
    WriteFileBytes(path, content);
    os::Result<std::FILE*> opened = os::OpenForReading(path);
    ASSERT_TRUE(opened.ok()) << opened.reason();
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(opened.value(), std::fclose);
    os::FileImage image;
    ASSERT_TRUE(image.Begin(file.get(), content.size()).ok());
    EXPECT_EQ(image.Size(), content.size());
    EXPECT_EQ(image.Filled(), 0u);
    ASSERT_TRUE(image.ReadTo(file.get(), 10).ok());
    ASSERT_GE(image.Filled(), 10u);
    ASSERT_LT(image.Filled(), content.size()) << "a piece of a few megabytes at most";
    EXPECT_EQ(image.Data()[9], 0x5A);
    change(path);
    const os::Status finished = image.Finish(file.get());
    ASSERT_FALSE(finished.ok());
    EXPECT_EQ(finished.reason(), "the file changed while it was being read");
  }
}

// Chunks across the pieces of the read, one longer than several of them, and
// a fault far into the file: the load from the file is the load from memory.
TEST(SceneFileReading, AFileReadInPiecesLoadsAsFromMemory) {
  Bytes manyObjects;
  for (int i = 0; i < 20000; ++i) {
    const Bytes object = ObjectChunk("object " + std::to_string(i), static_cast<uint32_t>(i % 7));
    manyObjects.insert(manyObjects.end(), object.begin(), object.end());
  }
  const Bytes longScript = ChunkOf(kInitScriptChunk, Bytes(3 << 20, 'x'));
  const Bytes whole = Scene({ChunkOf(kObjectsSection, manyObjects), InitScripts({longScript, InitScriptChunk("end")})});
  Bytes broken = whole;
  WriteU32LE(broken.data() + broken.size() - InitScriptChunk("end").size() + 2, 0x7FFFFFFF);
  ScratchFolder folder;
  const std::string path = folder.Path("scene2.bin");
  for (const Bytes* file : {&whole, static_cast<const Bytes*>(&broken)}) {
    SCOPED_TRACE(file == &whole ? "whole" : "a chunk running past its section");
    WriteFileBytes(path, *file);
    FileLoad fromFile(path);
    const TracedLoad fromMemory([file](SceneDocument& loading) { return loading.Load(*StreamOf(*file)).ok(); });
    EXPECT_EQ(fromFile.loaded, file == &whole);
    EXPECT_EQ(fromFile.loaded, fromMemory.loaded);
    EXPECT_EQ(fromFile.lines, fromMemory.lines);
    EXPECT_EQ(Written(*fromFile.document), Written(*fromMemory.document));
  }
}

// Long runs of a loaded file are saved by copying them from the file while it
// is as it was loaded: a file changed since is never copied from.
TEST(SceneFileReading, ASaveWritesTheBytesAsLoadedWhateverBecameOfTheFileSince) {
  Bytes manyObjects;
  for (int i = 0; i < 3000; ++i) {
    const Bytes object = ObjectChunk("object " + std::to_string(i), 9);
    manyObjects.insert(manyObjects.end(), object.begin(), object.end());
  }
  const Bytes scenes[] = {
      Scene({Objects({ObjectChunk("crate", 9), ObjectChunk("horn", 4)}), Definitions({DefinitionChunk("door", 6)})}),
      Scene({ChunkOf(kObjectsSection, manyObjects), Definitions({DefinitionChunk("door", 6)})}),
  };
  const struct {
    const char* what;
    void (*change)(const std::string& path, size_t length);
  } changes[] = {
      {"cut short", [](const std::string& path, size_t length) { WriteFileBytes(path, Bytes(length / 2, 1)); }},
      {"emptied", [](const std::string& path, size_t) { WriteFileBytes(path, {}); }},
      {"rewritten in place",
       [](const std::string& path, size_t length) {
         std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
         const std::string other(length, '\xEE');
         file.write(other.data(), static_cast<std::streamsize>(other.size()));
         file.close();
         // As it would stand a moment later: a rewrite within the clock's
         // tick of the load keeps the file's times.
         std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) - std::chrono::hours(1));
       }},
  };
  ScratchFolder folder;
  const std::string path = folder.Path("scene2.bin");
  const std::string saved = folder.Path("saved.bin");
  for (const Bytes& scene : scenes)
    for (const auto& [what, change] : changes) {
      SCOPED_TRACE(std::string(what) + ", " + std::to_string(scene.size()) + " bytes");
      WriteFileBytes(path, scene);
      FileLoad load(path);
      ASSERT_TRUE(load.loaded);
      change(path, scene.size());
      ASSERT_NE(ReadFileBytes(path), scene);
      ASSERT_TRUE(load.document->Save(saved).ok());
      EXPECT_EQ(ReadFileBytes(saved), scene);
      // Saved over the changed file itself, too.
      ASSERT_TRUE(load.document->Save(path).ok());
      EXPECT_EQ(ReadFileBytes(path), scene);
    }
}

}  // namespace

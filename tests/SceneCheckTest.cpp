// scene2 check: every problem of a file in one look, each where it stands.

#include <gtest/gtest.h>

#include <random>

#include "scene/ChunkTypes.h"
#include "tests/SceneTestSupport.h"
#include "tools/scene2/SceneCheck.h"

namespace {

using Lines = std::vector<std::string>;

// "OFFSET: TEXT", and " (fails)" after the problems that make a load fail.
Lines ProblemsOf(const Bytes& file) {
  Lines lines;
  for (const Problem& problem : CheckScene(ByteView(file.data(), file.size())))
    lines.push_back(std::to_string(problem.offset) + ": " + problem.text + (problem.failsLoad ? " (fails)" : ""));
  return lines;
}

bool FailsLoad(const Bytes& file) {
  const std::vector<Problem> problems = CheckScene(ByteView(file.data(), file.size()));
  return std::any_of(problems.begin(), problems.end(), [](const Problem& problem) { return problem.failsLoad; });
}

Bytes Root(uint32_t size, const Bytes& body) { return Concat({U16(kRootChunk), U32(size), body}); }

const Bytes kHead = ChunkOf(1, {});
const Bytes kCrate = ObjectChunk("crate", 9);     // 46 bytes
const Bytes kDoor = DefinitionChunk("door1", 6);  // 28 bytes
const Bytes kObjects = ChunkOf(kObjectsSection, kCrate);
const Bytes kGood = SceneFile({kHead, kObjects, ChunkOf(kDefinitionsSection, kDoor)});
constexpr uint32_t kFirstItem = 18;  // root header, a 6-byte head chunk, the section's header

struct Case {
  const char* what;
  Bytes file;
  Lines problems;
};

TEST(SceneCheck, LayoutProblemsAreFoundWhereALoadMeetsThem) {
  const std::string rootSize = std::to_string(kGood.size());
  const Case cases[] = {
      {"a good scene", kGood, {}},
      {"another signature",
       Bytes{'L', 'S', 6, 0, 0, 0},
       {"0: the file does not begin with 53 4C (\"SL\"), the signature of a scene (fails)"}},
      {"a root size cut short", Bytes{'S', 'L', 6, 0}, {"2: the file ends inside the root size (fails)"}},
      {"the root header alone", Root(6, {}), {"6: the file ends after the root header, before any chunk (fails)"}},
      {"no section", Root(12, kHead), {"12: the file ends after the head chunks, before any section (fails)"}},
      {"bytes after the root", Concat({kGood, Bytes(4, 0)}), {rootSize + ": 4 bytes after the root's end (fails)"}},
      {"a root size too large",
       Root(static_cast<uint32_t>(kGood.size() + 3), Bytes(kGood.begin() + 6, kGood.end())),
       {"2: the root size " + std::to_string(kGood.size() + 3) + " is more than the file's " + rootSize +
        " bytes (fails)"}},
      {"a root size above the signed range",
       Root(0x80000000, Bytes(kGood.begin() + 6, kGood.end())),
       {"2: the root size 2147483648 is above 2147483647, the most a scene can have (fails)"}},
      {"a root size 1 byte past the file",
       Root(static_cast<uint32_t>(kGood.size() + 1), Bytes(kGood.begin() + 6, kGood.end())),
       {"2: the root size " + std::to_string(kGood.size() + 1) + " is 1 byte more than the file holds"}},
      {"2 bytes at the root's end",
       Root(static_cast<uint32_t>(kGood.size() + 2), Concat({Bytes(kGood.begin() + 6, kGood.end()), Bytes(2, 0)})),
       {rootSize + ": 2 bytes at the root's end hold no section: a load leaves them out and a save drops them"}},
      {"a root size that ends inside the sections",
       Root(20, Concat({kHead, kObjects})),
       {"2: the root size 20 ends before the sections do, at offset 64; a save writes that"}},
      {"a chunk below its header, then more",
       SceneFile({kHead, ChunkOf(kObjectsSection, Concat({kCrate, ChunkWithSize(kObjectChunk, 3, {})})),
                  ChunkOf(kDefinitionsSection, Concat({kDoor, kDoor}))}),
       {"64: chunk 4010 has size 3, less than its 6-byte header (fails)",
        "104: definitions 1 \"door1\": repeats the name of definitions 0 at offset 76, which rename refuses and an "
        "export numbers"}},
      {"a chunk past its section",
       SceneFile({kHead, ChunkOf(kObjectsSection, Concat({kCrate, ChunkWithSize(kObjectChunk, 9, {1, 2})}))}),
       {"64: chunk 4010 of size 9 runs past the end of its section by 1 byte (fails)"}},
      {"a header cut short in a section",
       SceneFile({kHead, ChunkOf(kObjectsSection, Concat({kCrate, Bytes{1, 2, 3}}))}),
       {"64: a chunk header is cut short by the end of its section: 3 bytes left (fails)"}},
      {"an unknown section, stepped over",
       SceneFile(
           {kHead, kObjects, ChunkOf(kDefinitionChunk, {}), ChunkOf(kDefinitionsSection, DefinitionChunk("far", 40))}),
       {"64: unknown section code AE21; the sections are 4000, AE20, AE50 and AE02 (fails)",
        "76: definitions 0 \"far\": the editor's tree refuses definition type 0x28"}},
      {"a section past the file's end",
       Root(static_cast<uint32_t>(12 + kObjects.size()), Concat({kHead, Bytes(kObjects.begin(), kObjects.end() - 5)})),
       {"2: the root size 64 is more than the file's 59 bytes (fails)",
        "12: the section of objects of size 52 runs past the end of the file by 5 bytes (fails)",
        "18: chunk 4010 of size 46 runs past the end of the file by 5 bytes (fails)"}},
      {"a section below its header",
       SceneFile({kHead, ChunkWithSize(kObjectsSection, 2, {}), kObjects}),
       {"12: the section of objects has size 2, less than its header: a load takes it as empty and reads on right "
        "after its header",
        "18: a second section of objects, after the one at offset 12: a load puts the chunks of both into one list "
        "and a save writes them as one section"}},
      {"a section first",
       SceneFile({kObjects, ChunkOf(kDefinitionsSection, kDoor)}),
       {"6: the first chunk is a section of objects, which a load takes for a head chunk: its chunks are in no "
        "section"}},
  };
  for (const Case& each : cases) {
    SCOPED_TRACE(each.what);
    EXPECT_EQ(ProblemsOf(each.file), each.problems);
  }
}

TEST(SceneCheck, ItemProblemsAreThoseTheEditorRenameAndExportMeet) {
  const Bytes nameless = ChunkOf(kObjectChunk, ChunkOf(kObjectTypeChunk, U32(9)));
  const Bytes overrun =
      ChunkOf(kObjectChunk, Concat({ChunkOf(kObjectNameChunk, Text("x")), ChunkWithSize(0x20, 40, {})}));
  const Bytes shortScript = ChunkOf(kInitScriptChunk, Concat({{1}, U32(50), Text("go")}));
  const Bytes tinyEffect = ChunkOf(kVisualEffectChunk, Bytes(4, 0));
  const Bytes file =
      SceneFile({kHead,
                 ChunkOf(kObjectsSection, Concat({kCrate, ObjectChunk("odd", 1), kDoor, ChunkOf(0x1234, {}), nameless,
                                                  ObjectChunk("a:b", 9), overrun, kCrate})),
                 ChunkOf(kDefinitionsSection, DefinitionChunk("gate", 37)),
                 ChunkOf(kInitScriptsSection, Concat({shortScript, ObjectChunk("start", 1)})),
                 ChunkOf(kVisualEffectsSection, tinyEffect)});
  const uint32_t odd = kFirstItem + 46, door = odd + 44, other = door + 28, noName = other + 6, colon = noName + 16,
                 cut = colon + 44, crate = cut + 19, gate = crate + 46 + 6, script = gate + 27 + 6, start = script + 13,
                 effect = start + 46 + 6;
  EXPECT_EQ(ProblemsOf(file),
            (Lines{
                std::to_string(odd) + ": objects 1 \"odd\": the editor's tree refuses object type 0x00000001",
                std::to_string(door) + ": objects 2 \"door1\": chunk type AE21 in objects, which hold 4010",
                std::to_string(other) +
                    ": objects 3: chunk type 1234 in objects, which hold 4010; the editor's tree refuses it",
                std::to_string(noName) + ": objects 4: its name can't be read: GetChunkName: NAME=NULL",
                std::to_string(colon) +
                    ": objects 5 \"a:b\": no export can write it to \"Obj_a:b.dnc\": the name holds a colon",
                std::to_string(cut + 13) +
                    ": objects 6 \"x\": sub-chunk 0020 of size 40 runs past the end of its chunk by 34 bytes",
                std::to_string(crate) +
                    ": objects 7 \"crate\": repeats the name of objects 0 at offset 18, which rename refuses and an "
                    "export numbers",
                std::to_string(gate) + ": definitions 0 \"gate\": the editor's tree refuses definition type 0x25",
                std::to_string(script + 7) + ": initscripts 0 \"go\": its name's length 50 runs past the chunk's end "
                                             "by 48 bytes",
                std::to_string(start) + ": initscripts 1 \"start\": chunk type 4010 in initscripts, which hold AE51",
                std::to_string(effect) + ": viseffects 0 \"\": the chunk ends before the length of its name",
            }));
}

TEST(SceneCheck, FileNamesLongerThanAFileSystemTakesAreThoseNoExportCanWrite) {
  // An object's chunk is 41 bytes and its name; its file name "Obj_", the
  // name and ".dnc": 8 bytes more.
  const auto tooLong = [](uint32_t offset, const std::string& label, const std::string& shown, size_t length) {
    return std::to_string(offset) + ": objects " + label + ": no export can write it to \"" + shown +
           "\": the file name is " + std::to_string(length) +
#ifdef _WIN32
           " UTF-16 units"
#else
           " bytes"
#endif
           " long, and a file system takes 255 at most";
  };
  const std::string n36(36, 'n');
  const std::string n246(246, 'n');
  const std::string n248(248, 'n');
  const std::string huge(51'200, 'x');
  const std::string cyrillic(124, '\xDF');  // "Я"
  const std::string colonShown = "Obj_a:" + std::string(34, 'n') + "..." + std::string(16, 'n') + ".dnc";
  const Case cases[] = {
      {"255 bytes", SceneFile({kHead, Objects({ObjectChunk(std::string(247, 'n'), 9)})}), {}},
      {"256 bytes",
       SceneFile({kHead, Objects({ObjectChunk(n248, 9)})}),
       {tooLong(kFirstItem, "0 \"" + n248 + "\"", "Obj_" + n36 + "..." + std::string(16, 'n') + ".dnc", 256)}},
      {"51,208 bytes",
       SceneFile({kHead, Objects({ObjectChunk(huge, 9)})}),
       {tooLong(kFirstItem, "0 \"" + huge + "\"", "Obj_" + std::string(36, 'x') + "..." + std::string(16, 'x') + ".dnc",
                51'208)}},
      {"255 bytes, and 258 once numbered",
       SceneFile({kHead, Objects({ObjectChunk(n246, 9), ObjectChunk(n246, 9)})}),
       {std::to_string(kFirstItem + 41 + 246) + ": objects 1 \"" + n246 +
            "\": repeats the name of objects 0 at offset 18, which rename refuses and an export numbers",
        tooLong(kFirstItem + 41 + 246, "1 \"" + n246 + "\"", "Obj_" + n36 + "..." + std::string(12, 'n') + " (2).dnc",
                258)}},
      {"a colon too",
       SceneFile({kHead, Objects({ObjectChunk("a:" + n246, 9)})}),
       {"18: objects 0 \"a:" + n246 + "\": no export can write it to \"" + colonShown + "\": the name holds a colon",
        tooLong(kFirstItem, "0 \"a:" + n246 + "\"", colonShown, 256)}},
#ifdef _WIN32
      // Each of these letters is one UTF-16 unit: 4 + 124 + 4.
      {"Cyrillic", SceneFile({kHead, Objects({ObjectChunk(cyrillic, 9)})}), {}},
#else
      // UTF-8 takes two bytes for each of these letters: 4 + 248 + 4.
      {"Cyrillic", SceneFile({kHead, Objects({ObjectChunk(cyrillic, 9)})}), {[&] {
         std::string ya;
         for (int i = 0; i < 124; ++i) ya += "Я";
         return tooLong(kFirstItem, "0 \"" + ya + "\"", "Obj_" + ya.substr(0, 36) + "..." + ya.substr(0, 16) + ".dnc",
                        256);
       }()}},
#endif
  };
  for (const Case& each : cases) {
    SCOPED_TRACE(each.what);
    EXPECT_EQ(ProblemsOf(each.file), each.problems);
  }
}

// The walk of check and the scene model's load must agree on what makes a
// load fail: on a good scene with any byte changed or any length cut, each.
TEST(SceneCheck, FindsALoadFailureExactlyWhenTheModelFailsToLoad) {
  const Bytes scene = SceneFile(
      {kHead, ChunkOf(kObjectsSection, Concat({kCrate, ObjectChunk("odd", 1)})), ChunkOf(kDefinitionsSection, kDoor),
       ChunkOf(kInitScriptsSection, InitScriptChunk("go")), ChunkOf(kVisualEffectsSection, VisualEffectChunk("fog"))});
  std::mt19937 random(12);
  for (int trial = 0; trial < 3000; ++trial) {
    Bytes file = scene;
    const size_t at = random() % file.size();
    if (trial % 3 == 0)
      file.resize(at);
    else
      file[at] = static_cast<uint8_t>(trial % 3 == 1 ? random() : file[at] ^ (1u << (random() % 8)));
    SCOPED_TRACE("trial " + std::to_string(trial) + " at " + std::to_string(at));
    const LoadedScene loaded(file);
    ASSERT_EQ(FailsLoad(file), !loaded.loaded);
  }
}

}  // namespace

// scene2 set, run in-process on the sample scene in a scratch folder, and
// the JSON reader that its --from reads with.

#include <gtest/gtest.h>

#include <algorithm>

#include "scene/MemoryStream.h"
#include "tests/Scene2RunFixture.h"
#include "tests/SceneTestSupport.h"
#include "tools/scene2/JsonReader.h"
#include "tools/scenegen/SceneGenerator.h"

namespace {

// The sample of the repository: 40 objects, among them crate_0003 at 2, ten
// crate_*, and sound_0009 at 8, which plays "sounds\ambient_0031.wav".
Bytes SampleScene() {
  SceneOptions options;
  options.objects = 40;
  options.definitions = 20;
  options.initScripts = 5;
  options.visualEffects = 5;
  TMemoryStream stream;
  GenerateScene(options, stream);
  return BytesOf(stream);
}

class Scene2Set : public Scene2Run {
 protected:
  Scene2Set() { WriteFileBytes(in, kSample); }

  // What show prints after "FIELD: " for the first such line of a chunk.
  std::string Shown(const std::string& path, const std::string& chunk, const std::string& field) {
    EXPECT_EQ(Run({"-q", "show", path, "objects", chunk}), 0) << err;
    const size_t at = out.find(" " + field + ": ");
    if (at == std::string::npos) return "(none)";
    const size_t start = at + field.size() + 3;
    return out.substr(start, out.find('\n', start) - start);
  }

  const Bytes kSample = SampleScene();
  const std::string in = folder.Path("scene2.bin");
  const std::string outPath = folder.Path("out.bin");
};

TEST_F(Scene2Set, NamesPatternsAndPlacesChooseTheChunks) {
  const struct {
    std::vector<std::string> chunks;  // the operands after OUT, up to the field
    std::string summary;
  } cases[] = {
      {{"objects", "crate_0003"}, "set position of 1 chunk"},
      {{"objects", "crate_*"}, "set position of 10 chunks"},
      {{"objects", "crate_00?3"}, "set position of 1 chunk"},
      {{"objects", "*"}, "set position of 40 chunks"},
      {{"objects:2"}, "set position of 1 chunk"},
  };
  for (const auto& chosen : cases) {
    SCOPED_TRACE(testing::PrintToString(chosen.chunks));
    std::vector<std::string> args{"-q", "set", in, outPath};
    args.insert(args.end(), chosen.chunks.begin(), chosen.chunks.end());
    args.push_back("position+=10,0,0.5");
    ASSERT_EQ(Run(args), 0) << err;
    EXPECT_EQ(out, chosen.summary + ", saved to " + outPath + "\n");
    EXPECT_EQ(Shown(outPath, "crate_0003", "position"), "-917.25, -6993.25, 26.5");
  }
  EXPECT_EQ(Shown(outPath, "crate_0014", "position"), Shown(in, "crate_0014", "position"));
  EXPECT_EQ(Run({"-q", "set", in, outPath, "objects", "box_*", "scale=2,2,2"}), 1);
  EXPECT_EQ(err, "scene2: no chunk of objects of " + in + " matches \"box_*\"\n");
}

TEST_F(Scene2Set, ALengthChangeKeepsTheSizesAndASecondSetTheBytes) {
  const std::string file = "sounds\\x5Cwind in the long hall.wav";
  const std::vector<std::string> args{"-q",
                                      "set",
                                      in,
                                      outPath,
                                      "objects",
                                      "sound_0009",
                                      "file=" + file,
                                      "volume_level=30",
                                      "const-volume-radius+=2.25",
                                      "Position=1.5,-2,1e3"};
  ASSERT_EQ(Run(args), 0) << err;
  EXPECT_EQ(out, "set file, volume level, const volume radius, position of 1 chunk, saved to " + outPath + "\n");
  const Bytes once = ReadFileBytes(outPath);
  EXPECT_EQ(once.size(), kSample.size() + 9);  // "wind in the long hall" for "ambient_0031"
  EXPECT_EQ(Shown(outPath, "sound_0009", "file"), file);
  EXPECT_EQ(Shown(outPath, "sound_0009", "volume level"), "30 of 50");
  EXPECT_EQ(Shown(outPath, "sound_0009", "const volume radius"), "15");
  EXPECT_EQ(Shown(outPath, "sound_0009", "position"), "1.5, -2, 1000");
  EXPECT_EQ(Run({"-q", "check", outPath}), 0) << out;

  // The same values again, from the file they went into: the same bytes.
  std::vector<std::string> again = args;
  again[2] = outPath;
  again[8] = "const-volume-radius=15";
  ASSERT_EQ(Run(again), 0) << err;
  EXPECT_EQ(ReadFileBytes(outPath), once);
}

TEST_F(Scene2Set, ARefusedValueOrFieldNamesTheChunkAndWritesNothing) {
  const std::string usage =
      "usage: scene2 set [--trace] [--json] [-n] [--from FILE] IN OUT [SECTION [NAME] FIELD=VALUE...]\n";
  const struct {
    std::vector<std::string> tail;  // after IN OUT
    int status;
    std::string message;
  } cases[] = {
      {{"objects", "*", "position_copy+=1,0,0"},
       1,
       "scene2: cannot set objects 0 \"music_0001\" of " + in + ": no field \"position_copy\" that takes a value\n"},
      {{"objects", "crate_0003", "position=1,2"},
       1,
       "scene2: cannot set objects 2 \"crate_0003\" of " + in +
           ": \"1,2\" is no value for position: it takes 3 numbers separated by \", \", each with \".\" before its "
           "decimals, such as 0, 1.5, -2.\n"},
      {{"objects", "crate_0003", "type+=1"},
       1,
       "scene2: cannot set objects 2 \"crate_0003\" of " + in +
           ": \"1\" can't be added to object type: only numbers add up, and it takes one of the object types 0 "
           "(other), 2 (light), 3 (camera), 4 (sound), 6 (standart), 9 (model), 12 (occluder), 14 (city music), "
           "1346456908 (LMAP), 1381253971 (sector), 1397638476 (LENSF settings).\n"},
      {{"objects", "crate_*", "name=box"}, 1, "scene2: cannot set name of 10 chunks in " + in + ": Совпадение имён.\n"},
      {{"objects", "crate_0003", "name=café"},
       2,
       "scene2: the value in \"name=café\" can't be read: \"é\" (U+00E9) has no byte in Windows-1251, the game's "
       "code page\n" +
           usage},
      {{"objects", "crate_0003", "position"}, 2, "scene2: \"position\" is no FIELD=VALUE or FIELD+=VALUE\n" + usage},
      {{"objects", "crate_0003"}, 2, "scene2: missing FIELD=VALUE\n" + usage},
  };
  for (const auto& refused : cases) {
    SCOPED_TRACE(testing::PrintToString(refused.tail));
    std::vector<std::string> args{"-q", "set", in, outPath};
    args.insert(args.end(), refused.tail.begin(), refused.tail.end());
    EXPECT_EQ(Run(args), refused.status);
    EXPECT_EQ(err, refused.message);
    EXPECT_EQ(out, "");
    EXPECT_FALSE(FileExists(outPath));
  }
}

TEST_F(Scene2Set, ACyrillicNameGoesInAsWindows1251) {
  ASSERT_EQ(Run({"-q", "set", in, in, "objects", "crate_0003", "name=Ящик \\x98"}), 0) << err;
  EXPECT_EQ(Shown(in, "Ящик \\x98", "name"), "Ящик \\x98");
  const Bytes written = ReadFileBytes(in);
  const Bytes name{0xDF, 0xF9, 0xE8, 0xEA, ' ', 0x98};  // "Ящик", a space, the byte with no character
  EXPECT_NE(std::search(written.begin(), written.end(), name.begin(), name.end()), written.end());
}

TEST_F(Scene2Set, DryRunAndJsonTellTheChangesBeforeAndAfter) {
  ASSERT_EQ(Run({"-q", "set", "-n", in, outPath, "objects", "crate_000?", "scale=2,2,2"}), 0) << err;
  EXPECT_EQ(out,
            "objects 2 \"crate_0003\": scale: 1, 1, 1 -> 2, 2, 2\n"
            "set scale of 1 chunk, nothing written (dry run)\n");
  EXPECT_FALSE(FileExists(outPath));

  ASSERT_EQ(Run({"set", "--json", "--trace", in, outPath, "objects:8", "speed+=0.5", "sector=Зона"}), 0) << err;
  EXPECT_EQ(out,
            "{\n"
            "  \"written\": true,\n"
            "  \"chunks\": [\n"
            "    {\n"
            "      \"section\": \"objects\",\n"
            "      \"index\": 8,\n"
            "      \"name\": \"sound_0009\",\n"
            "      \"fields\": [\n"
            "        {\n"
            "          \"field\": \"speed\",\n"
            "          \"old\": \"1.25\",\n"
            "          \"new\": \"1.75\"\n"
            "        },\n"
            "        {\n"
            "          \"field\": \"sector\",\n"
            "          \"old\": \"sector_0002\",\n"
            "          \"new\": \"\\u0417\\u043e\\u043d\\u0430\"\n"
            "        }\n"
            "      ]\n"
            "    }\n"
            "  ]\n"
            "}\n");
  EXPECT_NE(err.find("* qScene2bin.clear done *"), std::string::npos);  // the trace goes beside the document
}

TEST_F(Scene2Set, FromTakesBackWhatShowJsonPrintsChangedOrNot) {
  const std::string changes = folder.Path("changes.json");
  ASSERT_EQ(Run({"-q", "show", "--json", in, "objects", "sound_0009"}), 0);
  std::string shown = out;
  // As written: nothing changes.
  WriteFileBytes(changes, Bytes(shown.begin(), shown.end()));
  ASSERT_EQ(Run({"-q", "set", in, outPath, "--from", changes}), 0) << err;
  EXPECT_EQ(out, "set no field of 1 chunk, saved to " + outPath + "\n");
  EXPECT_EQ(ReadFileBytes(outPath), kSample);

  // The second "sector", the sound's own, found by its place, not its name.
  shown.replace(shown.find("\"zone_0005\""), 11, "\"\\u0417\\u043e\\u043d\\u0430\"");
  shown.replace(shown.find("\"16 of 50\""), 10, "\"20\"");
  WriteFileBytes(changes, Bytes(shown.begin(), shown.end()));
  ASSERT_EQ(Run({"-q", "set", "-n", in, outPath, "--from", changes}), 0) << err;
  EXPECT_EQ(out,
            "objects 8 \"sound_0009\": volume level: 16 of 50 -> 20 of 50\n"
            "objects 8 \"sound_0009\": sector: zone_0005 -> Зона\n"
            "set volume level, sector of 1 chunk, nothing written (dry run)\n");

  const struct {
    std::string json;
    std::string problem;
  } refused[] = {
      {"[{\"section\": \"objects\", \"index\": 99, \"chunk\": {}}]",
       "line 1, column 2: no chunk 99 in objects of " + in + ", which holds 40 chunks"},
      {"{\"section\": \"objects\", \"index\": 1.5, \"chunk\": {}}",
       "line 1, column 33: \"index\" is no place of a list, a whole number from 0"},
      {"{\"section\": \"objects\", \"chunk\": {}}",
       "line 1, column 1: expected an object with \"section\" (a string), \"index\" (a number) and \"chunk\""},
      {"{\"section\": \"objects\", \"index\": 2, \"chunk\": {\"what\": \"object type\", \"value\": \"é\"}}",
       "line 1, column 78: \"é\" (U+00E9) has no byte in Windows-1251, the game's code page"},
      {"{\"section\": \"objects\",\n \"index\": 2 \"chunk\": {}}", "line 2, column 13: expected ',' or '}'"},
  };
  for (const auto& wrong : refused) {
    SCOPED_TRACE(wrong.json);
    WriteFileBytes(changes, Bytes(wrong.json.begin(), wrong.json.end()));
    EXPECT_EQ(Run({"-q", "set", in, folder.Path("never.bin"), "--from", changes}), 1);
    EXPECT_EQ(err, "scene2: cannot read " + changes + ": " + wrong.problem + "\n");
    EXPECT_FALSE(FileExists(folder.Path("never.bin")));
  }
}

// Malformed documents: each refused where it goes wrong, none read past its end.
TEST(JsonReader, RefusesMalformedTextSayingWhere) {
  const struct {
    std::string text;
    std::string problem;
  } cases[] = {
      {"", "line 1, column 1: expected a value, found the end of the text"},
      {"{\"a\" 1}", "line 1, column 6: expected ':' after a key"},
      {"{\"a\": 1,}", "line 1, column 9: expected a key in quotes"},
      {"[1, 2", "line 1, column 6: expected ',' or ']', found the end of the text"},
      {"[01]", "line 1, column 3: expected ',' or ']'"},
      {"[1.]", "line 1, column 4: expected a digit after '.'"},
      {"[-]", "line 1, column 3: expected a digit"},
      {"[1e]", "line 1, column 4: expected a digit in the exponent"},
      {"[1e999]", "line 1, column 7: the number 1e999 is out of range"},
      {"\"abc", "line 1, column 5: the string is not closed"},
      {"\"a\\", "line 1, column 4: the string is not closed"},
      {"\"\\q\"", "line 1, column 4: unknown escape \\q"},
      {"\"\\u12\"", "line 1, column 6: expected four hexadecimal digits after \\u"},
      {"\"\\ud800x\"", "line 1, column 8: a high surrogate without a low one"},
      {"\"\\udc00\"", "line 1, column 8: a low surrogate without a high one"},
      {"\"a\tb\"", "line 1, column 3: a control character in a string"},
      {"\"\xD0\x96\xFF\"", "line 1, column 3: a byte that is no UTF-8 in a string"},
      {"\"\xD0\"", "line 1, column 2: a byte that is no UTF-8 in a string"},
      {"tru", "line 1, column 1: expected a value"},
      {"{}\n x", "line 2, column 2: unexpected text after the document"},
      {std::string(300, '['), "line 1, column 201: nested deeper than 200 levels"},
  };
  for (const auto& malformed : cases) {
    SCOPED_TRACE(malformed.text);
    std::string problem;
    // A copy of exactly its length, so that a read past the end is caught.
    const std::vector<char> exact(malformed.text.begin(), malformed.text.end());
    EXPECT_FALSE(ReadJson(std::string_view(exact.data(), exact.size()), problem));
    EXPECT_EQ(problem, malformed.problem);
  }
}

TEST(JsonReader, ReadsEveryKindOfValue) {
  std::string problem;
  const std::optional<JsonValue> read = ReadJson(
      " {\"s\": \"\\u0416\\ud83d\\ude00\\n\\\"\", \"n\": -1.5e2, \"b\": [true, false, null], \"s\": \"x\"} ", problem);
  ASSERT_TRUE(read) << problem;
  ASSERT_EQ(read->type, JsonValue::Type::Object);
  EXPECT_EQ(read->Member("s")->text, "x");  // the last of a repeated key
  EXPECT_EQ(read->members[0].value.text, "Ж\xF0\x9F\x98\x80\n\"");
  EXPECT_EQ(read->Member("n")->number, -150.0);
  const JsonValue& items = *read->Member("b");
  ASSERT_EQ(items.items.size(), 3u);
  EXPECT_TRUE(items.items[0].boolean);
  EXPECT_FALSE(items.items[1].boolean);
  EXPECT_EQ(items.items[2].type, JsonValue::Type::Null);
  EXPECT_EQ(items.items[2].Where(), "line 1, column 66");
  EXPECT_EQ(read->Member("missing"), nullptr);
}

}  // namespace

// The scene2 command line, run in-process on files in a scratch folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>

#include "os/Paths.h"
#include "scene/ChunkTypes.h"
#include "tests/Scene2RunFixture.h"
#include "tests/SceneTestSupport.h"
#include "tools/scene2/Crc32.h"
#include "tools/scene2/FileArguments.h"

namespace {

using Lines = std::vector<std::string>;

const std::string kNamesCoincide = "Совпадение имён.";

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

Lines LinesOf(const std::string& text) {
  Lines lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

std::string CrcOf(const Bytes& bytes) { return Crc32Text(Crc32(bytes.data(), bytes.size())); }

class Scene2Cli : public Scene2Run {
 protected:
  Scene2Cli() { WriteFileBytes(in, kScene); }

  // The names in one section of a listing, as printed.
  Lines NamesIn(const std::string& path, const std::string& section = "objects") {
    EXPECT_EQ(Run({"-q", "list", "--section", section, path}), 0) << err;
    Lines names;
    for (const std::string& line : LinesOf(out)) names.push_back(line.substr(line.rfind('\t') + 1));
    return names;
  }

  const Bytes kScene = SceneFile(
      {ChunkOf(1, {}),
       ChunkOf(kObjectsSection,
               Concat({ObjectChunk("crate", 9), ObjectChunk("horn", 4), ObjectChunk("a\tb\\c\x7F", 0x52544353),
                       ChunkOf(kObjectChunk, ChunkOf(kLightmapChunk, {})), ObjectChunk("odd", 1)})),
       ChunkOf(kDefinitionsSection, Concat({DefinitionChunk("door1", 6), DefinitionChunk("thing", 3)})),
       ChunkOf(kVisualEffectsSection, VisualEffectChunk("fog")),
       ChunkOf(kInitScriptsSection, InitScriptChunk("start"))});

  const std::string in = folder.Path("scene2.bin");
  const std::string out_path = folder.Path("out.bin");
};

TEST_F(Scene2Cli, HelpGoesToStandardOutput) {
  for (const Lines& args : {Lines{"--help"}, Lines{"-h"}, Lines{"help"}, Lines{"-q", "help"}}) {
    SCOPED_TRACE(testing::PrintToString(args));
    EXPECT_EQ(Run(args), 0);
    EXPECT_EQ(out.rfind("usage: scene2 [--trace] COMMAND [ARGS]\n", 0), 0u);
    EXPECT_NE(out.find("\n  rename IN OUT SECTION OLD NEW       rename an object or a definition\n"),
              std::string::npos);
    EXPECT_EQ(err, "");
  }
  const std::string deleteHelp =
      "usage: scene2 delete [--trace] IN OUT SECTION NAME...\n"
      "\n"
      "Loads IN, deletes from SECTION the first chunk of each NAME and saves the\n"
      "result as OUT. When a NAME is not in SECTION, nothing is written.\n"
      "\n"
      "options:\n"
      "  --trace       also print the scene model's trace: one line for each step\n"
      "                of a load, a save or an edit\n"
      "\n"
      "SECTION is objects, definitions, initscripts or viseffects.\n"
      "Names are written as list prints them and as every command takes them:\n"
      "bytes below 0x20, 0x7F and the backslash as \\xHH; the others in UTF-8,\n"
      "decoded from Windows-1251, the game's code page, but for 0x98, which has\n"
      "no character there, as \\x98. On Windows too, pipes and files get UTF-8;\n"
      "a console shows the characters whatever its code page.\n"
      "\n"
      "example:\n"
      "  scene2 delete scene2.bin edited.bin objects crate_0003 lamp_0004\n";
  for (const Lines& args : {Lines{"help", "delete"}, Lines{"delete", "--help"}, Lines{"delete", "x", "-h"}}) {
    SCOPED_TRACE(testing::PrintToString(args));
    EXPECT_EQ(Run(args), 0);
    EXPECT_EQ(out, deleteHelp);
  }
  for (const char* command : {"trace", "list", "check", "diff", "save", "delete", "rename", "export", "import"}) {
    SCOPED_TRACE(command);
    EXPECT_EQ(Run({"help", command}), 0);
    EXPECT_EQ(out.rfind(std::string("usage: scene2 ") + command + " ", 0), 0u);
    EXPECT_NE(out.find("\nexample:\n  scene2 " + std::string(command) + " "), std::string::npos);
  }
  EXPECT_EQ(Run({"--version"}), 0);
  EXPECT_TRUE(std::regex_match(out, std::regex("scene2 [0-9]+\\.[0-9]+\\.[0-9]+\n"))) << out;
}

TEST_F(Scene2Cli, AUsageErrorSaysWhatWasWrongThenTheUsage) {
  const std::string deleteUsage = "usage: scene2 delete [--trace] IN OUT SECTION NAME...\n";
  const std::string renameUsage = "usage: scene2 rename [--trace] IN OUT SECTION OLD NEW\n";
  const std::string showUsage = "usage: scene2 show [--trace] [--json] [--hex] FILE SECTION [NAME]\n";
  const std::string listUsage = "usage: scene2 list [--trace] [--section S] [--long] [--json] FILE\n";
  const struct {
    Lines args;
    std::string problem;
    std::string usage;  // the line after it; the general usage when empty
  } cases[] = {
      {{}, "no command given", ""},
      {{"-q"}, "no command given", ""},
      {{"--trace", "-q"}, "no command given", ""},
      {{"bogus"}, "unknown command \"bogus\"", ""},
      {{"--bogus"}, "unknown option \"--bogus\"", ""},
      {{"help", "bogus"}, "unknown command \"bogus\"", ""},
      {{"--version", "now"}, "unexpected argument \"now\"", ""},
      {{"delete", in, out_path, "object", "crate"},
       "unknown section \"object\": the sections are objects, definitions, initscripts and viseffects",
       deleteUsage},
      {{"delete", in, out_path, "objects"}, "missing NAME", deleteUsage},
      {{"delete", in}, "missing OUT", deleteUsage},
      {{"delete", in, out_path, "objects", "props\\crate"},
       "the name \"props\\crate\" can't be read: a backslash in a name starts \\xHH, a byte in hexadecimal (a "
       "backslash itself is \\x5C)",
       deleteUsage},
      {{"save", in, out_path, "more"}, "unexpected argument \"more\"", "usage: scene2 save [--trace] IN OUT\n"},
      {{"list", "--long", "--bogus", in}, "unknown option \"--bogus\"", listUsage},
      {{"list", in, "--section"}, "--section needs a SECTION", listUsage},
      {{"list", "--section=things", in},
       "unknown section \"things\": the sections are objects, definitions, initscripts and viseffects",
       listUsage},
      {{"list", "--trace=yes", in}, "unknown option \"--trace=yes\"", listUsage},
      {{"save", "--json", in, out_path}, "unknown option \"--json\"", "usage: scene2 save [--trace] IN OUT\n"},
      {{"rename", in, out_path, "initscripts", "start", "go"},
       "only objects and definitions can be renamed, not initscripts",
       renameUsage},
      {{"rename", in, out_path, "objects", "horn", ""}, "the new name is empty", renameUsage},
      {{"export", in}, "missing DIR", "usage: scene2 export [--trace] IN DIR [SECTION [NAME...]]\n"},
      {{"import", in, out_path}, "missing FILE", "usage: scene2 import [--trace] IN OUT FILE...\n"},
      {{"diff", in}, "missing B", "usage: scene2 diff [--trace] [--json] A B\n"},
      {{"show", in, "objects"}, "missing NAME", showUsage},
      {{"show", in, "objects:1", "horn"}, "unexpected argument \"horn\" after a SECTION:INDEX", showUsage},
      {{"show", in, "objects:x"}, "the place in \"objects:x\" is no number: SECTION:INDEX counts from 0", showUsage},
      {{"show", in, "objects:"}, "the place in \"objects:\" is no number: SECTION:INDEX counts from 0", showUsage},
      {{"show", in, "object:1"},
       "unknown section \"object\": the sections are objects, definitions, initscripts and viseffects",
       showUsage},
      {{"show", "--long", in, "objects", "horn"}, "unknown option \"--long\"", showUsage},
  };
  for (const auto& [args, problem, usage] : cases) {
    SCOPED_TRACE(testing::PrintToString(args));
    EXPECT_EQ(Run(args), 2);
    EXPECT_EQ(out, "");
    const Lines lines = LinesOf(err);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "scene2: " + problem);
    EXPECT_EQ(lines[1] + "\n", usage.empty() ? "usage: scene2 [--trace] COMMAND [ARGS]\n" : usage);
  }
  EXPECT_FALSE(FileExists(out_path));
}

TEST_F(Scene2Cli, ShowPrintsAChunkByNameOrPlace) {
  const std::string horn =
      "0 4010 45 object: horn\n"
      "  6 0010 11 name: horn\n"
      "  17 4011 10 object type: 4 (sound)\n"
      "  27 0020 18 position: 0, 0, 0\n";
  EXPECT_EQ(Run({"show", "--trace", in, "objects", "horn"}), 0);
  EXPECT_EQ(out, horn);
  EXPECT_NE(err.find("objects: 5\r\n"), std::string::npos) << "the trace goes to standard error";
  EXPECT_EQ(Run({"-q", "show", in, "objects:1"}), 0);
  EXPECT_EQ(out, horn);
  EXPECT_EQ(err, "");
  EXPECT_EQ(Run({"-q", "show", "--hex", in, "initscripts", "start"}), 0);
  EXPECT_EQ(out,
            "0 AE51 22 init script: start\n"
            "  6 - 1\n"
            "    6: 01\n"
            "  7 - 4 name length: 5\n"
            "    7: 05 00 00 00\n"
            "  11 - 5 name: start\n"
            "    11: 73 74 61 72 74\n"
            "  16 - 6\n"
            "    16: 72 75 6E 28 29 3B\n");

  EXPECT_EQ(Run({"-q", "show", in, "objects", "bell"}), 1);
  EXPECT_EQ(err, "scene2: no chunk named \"bell\" in objects of " + in + "\n");
  for (const std::string place : {"2", "-1", "2147483647", "99999999999"}) {
    EXPECT_EQ(Run({"-q", "show", in, "definitions:" + place}), 1);
    EXPECT_EQ(err, "scene2: no chunk " + place + " in definitions of " + in + ", which holds 2 chunks\n");
  }
  EXPECT_EQ(Run({"-q", "show", folder.Path("missing.bin"), "objects:0"}), 1);
  EXPECT_EQ(err.rfind("scene2: cannot open ", 0), 0u) << err;
}

TEST_F(Scene2Cli, ShowJsonIsOneDocumentOfTheSameTree) {
  const Bytes scene = SceneFile({ChunkOf(1, {}), ChunkOf(kObjectsSection, ObjectChunk("\xDF\x98", 9))});
  WriteFileBytes(in, scene);
  EXPECT_EQ(Run({"show", "-q", "--json", "--hex", in, "objects", "\xDF\\x98"}), 0) << err;
  EXPECT_EQ(out,
            "{\n"
            "  \"section\": \"objects\",\n"
            "  \"index\": 0,\n"
            "  \"chunk\": {\n"
            "    \"offset\": 0,\n"
            "    \"kind\": \"chunk\",\n"
            "    \"type\": \"4010\",\n"
            "    \"size\": 43,\n"
            "    \"what\": \"object\",\n"
            "    \"value\": \"\\u042f\\ufffd\",\n"
            "    \"valueHex\": \"DF98\",\n"
            "    \"children\": [\n"
            "      {\n"
            "        \"offset\": 6,\n"
            "        \"kind\": \"chunk\",\n"
            "        \"type\": \"0010\",\n"
            "        \"size\": 9,\n"
            "        \"what\": \"name\",\n"
            "        \"value\": \"\\u042f\\ufffd\",\n"
            "        \"valueHex\": \"DF98\",\n"
            "        \"bytes\": \"DF9800\"\n"
            "      },\n"
            "      {\n"
            "        \"offset\": 15,\n"
            "        \"kind\": \"chunk\",\n"
            "        \"type\": \"4011\",\n"
            "        \"size\": 10,\n"
            "        \"what\": \"object type\",\n"
            "        \"value\": \"9 (model)\",\n"
            "        \"bytes\": \"09000000\"\n"
            "      },\n"
            "      {\n"
            "        \"offset\": 25,\n"
            "        \"kind\": \"chunk\",\n"
            "        \"type\": \"0020\",\n"
            "        \"size\": 18,\n"
            "        \"what\": \"position\",\n"
            "        \"value\": \"0, 0, 0\",\n"
            "        \"bytes\": \"000000000000000000000000\"\n"
            "      }\n"
            "    ]\n"
            "  }\n"
            "}\n");
}

TEST_F(Scene2Cli, TracePrintsTheLoadAndTheClosingLine) {
  EXPECT_EQ(Run({"trace", in}), 0);
  EXPECT_EQ(out.rfind("* qScene2bin.clear done *\r\nqScene2bin.ReadFromFile: file open\r\n", 0), 0u);
  EXPECT_TRUE(EndsWith(out, "objects: 5\r\ndifinition: 2\r\ninit scripts: 1\r\n* qScene2bin.clear done *\r\n"));
  EXPECT_EQ(err, "");
  const std::string trace = out;
  for (const Lines& args : {Lines{"trace", "-q", in}, Lines{"--trace", "trace", in}}) {
    SCOPED_TRACE(testing::PrintToString(args));
    EXPECT_EQ(Run(args), 0);
    EXPECT_EQ(out, trace) << "the trace is what trace prints, whatever the flags";
  }
  EXPECT_EQ(Run({"trace", folder.Path("missing.bin")}), 1);
  EXPECT_EQ(err.rfind("scene2: cannot open " + folder.Path("missing.bin") + ": ", 0), 0u) << err;
}

TEST_F(Scene2Cli, TheSummaryStandsAloneUnlessTheTraceIsAskedFor) {
  for (const Lines& args : {Lines{"save", in, out_path}, Lines{"-q", "save", in, out_path},
                            Lines{"save", in, "--quiet", out_path}, Lines{"--quiet", "save", "--", in, out_path}}) {
    SCOPED_TRACE(testing::PrintToString(args));
    EXPECT_EQ(Run(args), 0);
    EXPECT_EQ(out, "scene saved to " + out_path + "\n");
    EXPECT_EQ(err, "");
  }
  for (const Lines& args : {Lines{"--trace", "save", in, out_path}, Lines{"save", in, out_path, "--trace"},
                            Lines{"-q", "--trace", "save", "--", in, out_path}}) {
    SCOPED_TRACE(testing::PrintToString(args));
    EXPECT_EQ(Run(args), 0);
    EXPECT_EQ(out.rfind("* qScene2bin.clear done *\r\nqScene2bin.ReadFromFile: file open\r\n", 0), 0u) << out;
    EXPECT_TRUE(EndsWith(
        out, "TqScene2bin.WriteToFile - done\r\n* qScene2bin.clear done *\r\nscene saved to " + out_path + "\n"));
    EXPECT_EQ(err, "");
  }
  EXPECT_EQ(Run({"show", in, "objects", "--", "--trace"}), 1) << "after --, a NAME";
  EXPECT_EQ(out, "");
  EXPECT_EQ(err, "scene2: no chunk named \"--trace\" in objects of " + in + "\n");
  EXPECT_EQ(ReadFileBytes(out_path), kScene);
}

// Every command that loads a scene prints the trace only with --trace, on the
// stream it always used; -q changes nothing; check has no trace to print.
TEST_F(Scene2Cli, TheTraceComesOnlyWithTraceOnTheStreamOfEachCommand) {
  const std::string dnc = folder.Path("Obj_horn.dnc");
  WriteFileBytes(dnc, ObjectChunk("horn", 4));
  enum Stream { kNone, kOut, kErr };
  const struct {
    Lines args;
    Stream traceOn;
  } cases[] = {
      {{"list", in}, kErr},
      {{"list", "--json", "--long", in}, kErr},
      {{"show", in, "objects", "horn"}, kErr},
      {{"diff", in, in}, kErr},
      {{"save", in, out_path}, kOut},
      {{"delete", in, out_path, "objects", "horn"}, kOut},
      {{"rename", in, out_path, "objects", "horn", "bell"}, kOut},
      {{"set", in, out_path, "objects", "horn", "position=1,2,3"}, kOut},
      {{"set", "--json", in, out_path, "objects", "horn", "position=1,2,3"}, kErr},
      {{"export", in, folder.Path("dnc"), "objects", "horn"}, kOut},
      {{"import", in, out_path, dnc}, kOut},
      {{"check", in}, kNone},
  };
  const auto hasTrace = [](const std::string& text) {
    return text.find("* qScene2bin.clear done *\r\n") != std::string::npos;
  };
  for (const auto& [args, traceOn] : cases) {
    SCOPED_TRACE(testing::PrintToString(args));
    const int status = Run(args);
    const std::string summary = out;
    EXPECT_FALSE(hasTrace(out) || hasTrace(err)) << out << err;
    Lines quiet = args;
    quiet.insert(quiet.begin() + 1, "-q");
    EXPECT_EQ(Run(quiet), status);
    EXPECT_EQ(out, summary);
    Lines traced = args;
    traced.push_back("--trace");
    EXPECT_EQ(Run(traced), status);
    EXPECT_EQ(hasTrace(out), traceOn == kOut) << out;
    EXPECT_EQ(hasTrace(err), traceOn == kErr) << err;
    if (traceOn == kOut) {
      EXPECT_TRUE(EndsWith(out, "\r\n" + summary)) << "the summary after the whole trace";
    } else {
      EXPECT_EQ(out, summary);
    }
  }
}

TEST_F(Scene2Cli, CheckReportsAWrongRootHeaderOrALongTailOfALongFileAndStopsThere) {
  const Bytes scene = SceneFile({ChunkOf(1, {}), ChunkOf(kObjectsSection, ObjectChunk("crate", 9))});
  const struct {
    const char* what;
    Bytes head;
    std::string problem;
  } cases[] = {
      {"zeros", {}, "offset 0: the file does not begin with 53 4C (\"SL\"), the signature of a scene"},
      {"a root size above the signed range", Concat({U16(kRootChunk), U32(0xFFFFFFFF)}),
       "offset 2: the root size 4294967295 is above 2147483647, the most a scene can have"},
      {"a scene and a long tail", scene,
       "offset " + std::to_string(scene.size()) + ": " + std::to_string((uint64_t{4} << 30) - scene.size()) +
           " bytes after the root's end"},
  };
  for (const auto& [what, head, problem] : cases) {
    SCOPED_TRACE(what);
    if (!WriteLongFile(in, head, uint64_t{4} << 30)) GTEST_SKIP() << "the file system refuses a file of 4 GiB";
    EXPECT_EQ(Run({"check", in}), 1);
    EXPECT_EQ(out, problem + " (a load fails here)\n" + in + ": 1 problem\n");
    EXPECT_EQ(Run({"-q", "save", in, out_path}), 1);
    EXPECT_FALSE(FileExists(out_path));
  }
}

TEST_F(Scene2Cli, AFailedLoadSaysWhyEvenWhenQuiet) {
  const struct {
    const char* what;
    Bytes file;
    std::string reason;
  } cases[] = {
      {"another signature", Bytes{'L', 'S', 0, 0},
       "the file does not begin with 53 4C (\"SL\"), the signature of a scene"},
      {"an unknown section",
       SceneFile({ChunkOf(1, {}), ChunkOf(kObjectsSection, ObjectChunk("a", 9)), ChunkOf(0x4001, {})}),
       "qScene2bin.ReadSectionsFromStream: Unknown section. offs: 0000003E"},
      {"bytes after the root", Concat({kScene, Bytes(3, 0)}),
       "offset " + std::to_string(kScene.size()) + ": 3 bytes after the root's end (a load fails here)"},
  };
  for (const auto& [what, file, reason] : cases) {
    SCOPED_TRACE(what);
    WriteFileBytes(in, file);
    EXPECT_EQ(Run({"-q", "save", in, out_path}), 1);
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "scene2: cannot load " + in + ": " + reason + "\n");
    EXPECT_FALSE(FileExists(out_path));
  }
  EXPECT_EQ(Run({"list", "--trace", in}), 1);
  EXPECT_TRUE(EndsWith(err, "* qScene2bin.clear done *\r\nscene2: cannot load " + in + ": offset " +
                                std::to_string(kScene.size()) + ": 3 bytes after the root's end (a load fails here)\n"))
      << "the reason comes after the whole trace";
}

TEST_F(Scene2Cli, ListPrintsOneLinePerItemAndTracesToStandardError) {
  EXPECT_EQ(Run({"list", "--trace", in}), 0);
  EXPECT_EQ(out,
            "objects\t0\t4010\tmodel\tcrate\n"
            "objects\t1\t4010\tsound\thorn\n"
            "objects\t2\t4010\tsector\ta\\x09b\\x5Cc\\x7F\n"
            "objects\t3\t4010\tLMAP\t\n"
            "objects\t4\t4010\t0x00000001\todd\n"
            "definitions\t0\tAE21\tdoor\tdoor1\n"
            "definitions\t1\tAE21\t0x03\tthing\n"
            "initscripts\t0\tAE51\t-\tstart\n"
            "viseffects\t0\tAE03\t-\tfog\n");
  EXPECT_EQ(err.rfind("* qScene2bin.clear done *\r\n", 0), 0u);
  EXPECT_NE(err.find("qScene2bin.GetChunkName: GetChunkName: NAME=NULL\r\n"), std::string::npos);
  EXPECT_TRUE(EndsWith(err, "\r\n* qScene2bin.clear done *\r\n"));
  EXPECT_EQ(Run({"list", "-q", "--section", "definitions", in}), 0);
  EXPECT_EQ(out, "definitions\t0\tAE21\tdoor\tdoor1\ndefinitions\t1\tAE21\t0x03\tthing\n");
  EXPECT_EQ(Run({"list", "-q", "--section=viseffects", "--section", "initscripts", "--section", "viseffects", in}), 0);
  EXPECT_EQ(out, "initscripts\t0\tAE51\t-\tstart\nviseffects\t0\tAE03\t-\tfog\n") << "each section given, once";
  EXPECT_EQ(err, "");
}

TEST_F(Scene2Cli, ListLongGivesEachChunksSizeOffsetAndCrc) {
  EXPECT_EQ(Run({"list", "-q", "--long", in}), 0);
  const Lines lines = LinesOf(out);
  ASSERT_EQ(lines.size(), 9u);
  // Each line's chunk, found by its size and offset in the file, has the CRC-32 shown.
  std::set<uint64_t> offsets;
  for (const std::string& line : lines) {
    SCOPED_TRACE(line);
    std::istringstream fields(line);
    std::string section, index, type, typeName, size, offset, crc;
    std::getline(fields, section, '\t');
    std::getline(fields, index, '\t');
    std::getline(fields, type, '\t');
    std::getline(fields, typeName, '\t');
    std::getline(fields, size, '\t');
    std::getline(fields, offset, '\t');
    std::getline(fields, crc, '\t');
    const size_t at = std::stoul(offset);
    const size_t length = std::stoul(size);
    ASSERT_LE(at + length, kScene.size());
    EXPECT_EQ(kScene[at] | kScene[at + 1] << 8, std::stoi(type, nullptr, 16));
    EXPECT_EQ(kScene[at + 2] | kScene[at + 3] << 8, static_cast<int>(length));
    EXPECT_EQ(crc, Crc32Text(Crc32(kScene.data() + at, length)));
    offsets.insert(at);
  }
  EXPECT_EQ(offsets.size(), lines.size());
  EXPECT_EQ(lines[0].rfind("objects\t0\t4010\tmodel\t46\t18\t", 0), 0u);
  EXPECT_EQ(lines.back().substr(lines.back().rfind('\t')), "\tfog");
}

// On a terminal each column is as wide as its widest cell, numbers to the
// right; the name comes last, unpadded, and an empty one leaves no blanks.
TEST_F(Scene2Cli, ListAlignsItsColumnsOnATerminalAndKeepsTabsForAFileOrAPipe) {
  EXPECT_EQ(Run({"list", in}, OutputKind::Terminal), 0);
  EXPECT_EQ(out,
            "objects      0  4010  model       crate\n"
            "objects      1  4010  sound       horn\n"
            "objects      2  4010  sector      a\\x09b\\x5Cc\\x7F\n"
            "objects      3  4010  LMAP\n"
            "objects      4  4010  0x00000001  odd\n"
            "definitions  0  AE21  door        door1\n"
            "definitions  1  AE21  0x03        thing\n"
            "initscripts  0  AE51  -           start\n"
            "viseffects   0  AE03  -           fog\n");
  EXPECT_EQ(Run({"list", "--long", "--section", "objects", in}, OutputKind::Terminal), 0);
  const Lines lines = LinesOf(out);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "objects  0  4010  model       46   18  " + CrcOf(ObjectChunk("crate", 9)) + "  crate");
  EXPECT_EQ(lines[3].substr(0, 34), "objects  3  4010  LMAP        12  ") << "sizes line up on their last digit";
  EXPECT_EQ(Run({"list", "--long", "--section", "objects", in}, OutputKind::FileOrPipe), 0);
  EXPECT_EQ(LinesOf(out)[0], "objects\t0\t4010\tmodel\t46\t18\t" + CrcOf(ObjectChunk("crate", 9)) + "\tcrate");
  EXPECT_EQ(Run({"list", "--json", "--section", "objects", in}, OutputKind::Terminal), 0);
  EXPECT_EQ(out.rfind("{\n  \"rootSize\": ", 0), 0u) << "JSON is JSON wherever it goes";
}

TEST_F(Scene2Cli, ListJsonIsOneDocumentWithNamesAsTextAndBytes) {
  const Bytes scene = SceneFile({ChunkOf(1, {}), ChunkOf(kObjectsSection, ObjectChunk("\xDF\x98", 9)),
                                 ChunkOf(kVisualEffectsSection, VisualEffectChunk("fog"))});
  WriteFileBytes(in, scene);
  EXPECT_EQ(Run({"list", "--json", "-q", "--section", "objects", in}), 0);
  const Bytes object = ObjectChunk("\xDF\x98", 9);
  EXPECT_EQ(out,
            "{\n"
            "  \"rootSize\": " +
                std::to_string(scene.size()) +
                ",\n"
                "  \"sections\": [\n"
                "    {\n"
                "      \"section\": \"objects\",\n"
                "      \"chunks\": [\n"
                "        {\n"
                "          \"index\": 0,\n"
                "          \"type\": \"4010\",\n"
                "          \"typeName\": \"model\",\n"
                "          \"name\": \"\\u042f\\ufffd\",\n"
                "          \"nameHex\": \"DF98\",\n"
                "          \"size\": 43,\n"
                "          \"offset\": 18,\n"
                "          \"crc32\": \"" +
                Crc32Text(Crc32(object.data(), object.size())) +
                "\"\n"
                "        }\n"
                "      ]\n"
                "    }\n"
                "  ]\n"
                "}\n");
  EXPECT_EQ(Run({"list", "--json", "-q", in}), 0);
  EXPECT_NE(out.find("\"section\": \"viseffects\",\n      \"chunks\": [\n        {\n          \"index\": 0,\n"
                     "          \"type\": \"AE03\",\n          \"name\": \"fog\",\n"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("\"section\": \"definitions\",\n      \"chunks\": []\n"), std::string::npos);
}

TEST_F(Scene2Cli, NamesOfEveryByteValueGoFromListIntoCommands) {
  Bytes objects;
  for (int byte = 0; byte < 256; ++byte)
    objects = Concat({objects, ObjectChunk(std::string("n") + static_cast<char>(byte) + "\\", 9)});
  const Bytes scene = SceneFile({ChunkOf(1, {}), ChunkOf(kObjectsSection, objects)});
  WriteFileBytes(in, scene);
  const Lines names = NamesIn(in);
  ASSERT_EQ(names.size(), 256u);
  EXPECT_EQ(names[0xC0], "nА\\x5C");
  EXPECT_EQ(names[0x98], "n\\x98\\x5C");
  // Export by the listed names writes each chunk; delete by them takes every one.
  Lines args = {"-q", "export", in, folder.Path("dnc"), "objects"};
  args.insert(args.end(), names.begin(), names.end());
  EXPECT_EQ(Run(args), 1) << "the backslash makes every file name fail";
  EXPECT_EQ(err.find("no chunk named"), std::string::npos) << err;
  args = {"-q", "delete", in, out_path, "objects"};
  args.insert(args.end(), names.rbegin(), names.rend());
  EXPECT_EQ(Run(args), 0) << err;
  EXPECT_EQ(out, "256 chunks deleted from objects, saved to " + out_path + "\n");
  EXPECT_EQ(NamesIn(out_path), Lines{});
}

TEST_F(Scene2Cli, DeleteRemovesTheFirstChunkOfEachName) {
  EXPECT_EQ(Run({"delete", "--trace", in, out_path, "objects", "horn", "crate"}), 0);
  EXPECT_TRUE(EndsWith(out, "* qScene2bin.clear done *\r\n2 chunks deleted from objects, saved to " + out_path + "\n"));
  EXPECT_EQ(NamesIn(out_path), (Lines{"a\\x09b\\x5Cc\\x7F", "", "odd"}));
  // The empty name finds the first chunk whose name is empty or unreadable.
  EXPECT_EQ(Run({"-q", "delete", out_path, out_path, "objects", ""}), 0);
  EXPECT_EQ(out, "1 chunk deleted from objects, saved to " + out_path + "\n");
  EXPECT_EQ(NamesIn(out_path), (Lines{"a\\x09b\\x5Cc\\x7F", "odd"}));
  EXPECT_EQ(Run({"-q", "delete", out_path, out_path, "objects", "a\\x09b\\x5cc\\x7F"}), 0);
  EXPECT_EQ(NamesIn(out_path), (Lines{"odd"}));
}

TEST_F(Scene2Cli, DeleteOfAMissingNameFailsAndWritesNothing) {
  EXPECT_EQ(Run({"-q", "delete", in, out_path, "definitions", "door1", "crate"}), 1);
  EXPECT_EQ(err, "scene2: no chunk named \"crate\" in definitions of " + in + "\n");
  EXPECT_FALSE(FileExists(out_path));
}

TEST_F(Scene2Cli, RenameAnswersTheDialogWithTheNewName) {
  const std::string siren = "Сирена";
  EXPECT_EQ(Run({"rename", "--trace", in, out_path, "objects", "horn", siren}), 0);
  EXPECT_NE(out.find("OLD\r\n"), std::string::npos);
  EXPECT_TRUE(EndsWith(out, "* qScene2bin.clear done *\r\nrenamed \"horn\" to \"" + siren + "\" in objects, saved to " +
                                out_path + "\n"));
  EXPECT_EQ(NamesIn(out_path)[1], siren);
  // Six bytes of name where there were four and a zero byte.
  EXPECT_EQ(ReadFileBytes(out_path).size(), kScene.size() + 1);
}

TEST_F(Scene2Cli, RefusedRenamesSayWhyAndWriteNothing) {
  const struct {
    Lines args;
    std::string error;
  } cases[] = {
      {{"objects", "horn", "crate"}, "cannot rename \"horn\" to \"crate\" in objects of " + in + ": " + kNamesCoincide},
      {{"objects", "nobody", "x"}, "no chunk named \"nobody\" in objects of " + in},
      {{"objects", "", "x"},
       "cannot rename \"\" to \"x\" in objects of " + in + ": it has no name sub-chunk to rewrite"},
  };
  for (const auto& [args, error] : cases) {
    SCOPED_TRACE(error);
    Lines command = {"rename", "-q", in, out_path};
    command.insert(command.end(), args.begin(), args.end());
    EXPECT_EQ(Run(command), 1);
    EXPECT_EQ(err, "scene2: " + error + "\n");
  }
  EXPECT_FALSE(FileExists(out_path));
  EXPECT_EQ(Run({"rename", "--trace", in, out_path, "objects", "horn", "crate"}), 1);
  EXPECT_TRUE(EndsWith(
      out, "qScene2bin.ReplaceChunkData: " + std::string("\xD1\xEE\xE2\xEF\xE0\xE4\xE5\xED\xE8\xE5 \xE8\xEC\xB8\xED.") +
               "\r\n* qScene2bin.clear done *\r\n"))
      << "the trace holds the model's bytes";
}

TEST_F(Scene2Cli, FailuresNameThePathAndTheSystemsReason) {
  const std::string inside = folder.Path("folder");
  std::filesystem::create_directory(inside);
  EXPECT_EQ(Run({"save", "--trace", in, inside}), 1);
  EXPECT_EQ(err, "scene2: cannot write " + inside + ": a folder, not a file\n");
  EXPECT_NE(out.find("qScene2bin.WriteToFile: a folder, not a file\r\n"), std::string::npos);
  EXPECT_EQ(out.find("scene saved"), std::string::npos);
  EXPECT_EQ(Run({"save", in, folder.Path("no/such/out.bin")}), 1);
  EXPECT_EQ(err.rfind("scene2: cannot write " + folder.Path("no/such/out.bin") + ": ", 0), 0u) << err;
  EXPECT_NE(err, "scene2: cannot write " + folder.Path("no/such/out.bin") + ": \n");
  EXPECT_EQ(Run({"trace", inside}), 1);
  EXPECT_EQ(err, "scene2: cannot open " + inside + ": a folder, not a file\n");
  EXPECT_EQ(Run({"check", inside}), 1);
  EXPECT_EQ(err, "scene2: cannot read " + inside + ": a folder, not a file\n");
}

TEST_F(Scene2Cli, ExportWritesEveryChunkAndSummarisesLast) {
  const std::string dir = folder.Path("dnc/deeper");
  EXPECT_EQ(Run({"export", "--trace", in, dir}), 1) << "one name holds characters no file name can";
  EXPECT_EQ(ScratchFolder::FileNamesOf(dir), (Lines{"Dfn_door1.dnc", "Dfn_thing.dnc", "InitSc_start.dnc", "Obj_.dnc",
                                                    "Obj_crate.dnc", "Obj_horn.dnc", "Obj_odd.dnc", "VisEff_fog.dnc"}));
  EXPECT_TRUE(EndsWith(out, "* qScene2bin.clear done *\r\n8 files written to " + dir + "\n")) << out;
  EXPECT_NE(err.find("scene2: cannot write " + dir + "/Obj_a\\x09b\\x5Cc\\x7F.dnc: "), std::string::npos) << err;
}

TEST_F(Scene2Cli, ExportOfOneSectionOrOfNamedChunks) {
  const std::string dir = folder.Path("dnc");
  EXPECT_EQ(Run({"-q", "export", in, dir, "definitions"}), 0);
  EXPECT_EQ(ScratchFolder::FileNamesOf(dir), (Lines{"Dfn_door1.dnc", "Dfn_thing.dnc"}));
  EXPECT_EQ(out, "2 files written to " + dir + "\n");
  EXPECT_EQ(Run({"-q", "export", in, dir + "/", "objects", "horn"}), 0);
  EXPECT_EQ(ReadFileBytes(dir + "/Obj_horn.dnc"), ObjectChunk("horn", 4));
  EXPECT_EQ(out, "1 file written to " + dir + "/\n");
  EXPECT_EQ(Run({"-q", "export", in, dir, "objects", "nobody"}), 1);
  EXPECT_EQ(err, "scene2: no chunk named \"nobody\" in objects of " + in + "\n");
}

#ifndef _WIN32
TEST_F(Scene2Cli, ExportNamesFilesInUtf8OnLinux) {
  WriteFileBytes(
      in, SceneFile({ChunkOf(1, {}),
                     ChunkOf(kObjectsSection, Concat({ObjectChunk("\xDF\xF9\xE8\xEA", 9), ObjectChunk("a\x98", 9)}))}));
  EXPECT_EQ(Run({"-q", "export", in, folder.Path("dnc")}), 0);
  EXPECT_EQ(ScratchFolder::FileNamesOf(folder.Path("dnc")), (Lines{"Obj_a\x98.dnc", "Obj_Ящик.dnc"}));
  EXPECT_EQ(ReadFileBytes(folder.Path("dnc/Obj_Ящик.dnc")), ObjectChunk("\xDF\xF9\xE8\xEA", 9));
}
#endif

// Names that differ only in the case of a Cyrillic letter are one file name
// to Windows: the second is numbered on every system, and importing the
// export gives the scene back.
TEST_F(Scene2Cli, ExportNumbersNamesThatDifferOnlyInTheCaseOfAnyLetter) {
  const std::string crate = "\xDF\xF9\xE8\xEA";       // Ящик
  const std::string crateUpper = "\xDF\xD9\xC8\xCA";  // ЯЩИК
  const std::string yo = "\xA8\xB8";                  // Ёё
  const std::string yoFolded = "\xB8\xA8";            // ёЁ
  const Bytes scene =
      SceneFile({ChunkOf(1, {}), ChunkOf(kObjectsSection, Concat({ObjectChunk(crate, 9), ObjectChunk(crateUpper, 9),
                                                                  ObjectChunk(yo, 9), ObjectChunk(yoFolded, 9)}))});
  WriteFileBytes(in, scene);
  const std::string dir = folder.Path("dnc");
  EXPECT_EQ(Run({"-q", "export", in, dir}), 0) << err;
  EXPECT_EQ(out, "4 files written to " + dir + "\n");
  EXPECT_EQ(ScratchFolder::FileNamesOf(dir),
            (Lines{"Obj_Ёё.dnc", "Obj_ЯЩИК (2).dnc", "Obj_Ящик.dnc", "Obj_ёЁ (2).dnc"}));
  EXPECT_EQ(ReadFileBytes(dir + "/Obj_ЯЩИК (2).dnc"), ObjectChunk(crateUpper, 9));
  EXPECT_EQ(Run({"-q", "import", in, out_path, dir}), 0) << err;
  EXPECT_EQ(out, "4 chunks imported (4 replaced, 0 added), saved to " + out_path + "\n");
  EXPECT_EQ(ReadFileBytes(out_path), scene);
}

TEST_F(Scene2Cli, ImportPutsExportedFilesBackAndSummarisesLast) {
  const std::string dir = folder.Path("dnc");
  Run({"export", in, dir, "objects", "crate", "horn"});
  EXPECT_EQ(Run({"import", "--trace", in, out_path, dir + "/Obj_horn.dnc", dir + "/Obj_crate.dnc"}), 0);
  EXPECT_EQ(ReadFileBytes(out_path), kScene);
  EXPECT_TRUE(EndsWith(
      out, "* qScene2bin.clear done *\r\n2 chunks imported (2 replaced, 0 added), saved to " + out_path + "\n"))
      << out;
  EXPECT_EQ(Run({"-q", "import", in, out_path, dir + "/Obj_horn.dnc"}), 0);
  EXPECT_EQ(out, "1 chunk imported (1 replaced, 0 added), saved to " + out_path + "\n");

  const std::string bad = dir + "/bad.dnc";
  WriteFileBytes(bad, Bytes{1, 2, 3});
  const std::string other = folder.Path("other.bin");
  EXPECT_EQ(Run({"import", in, other, dir + "/Obj_horn.dnc", bad}), 1);
  EXPECT_EQ(err, "scene2: cannot import " + bad + ": the file holds 3 bytes, less than a chunk's header\n");
  EXPECT_FALSE(FileExists(other));
}

// Paths are shown as given, whatever their characters: Cyrillic, and an
// accented letter that Windows-1251 has no byte for.
TEST_F(Scene2Cli, ARefusedImportNamesItsPathAsGiven) {
  const std::string dir = folder.Path("Моды é");
  std::filesystem::create_directories(FsPath(dir));
  const std::string bad = dir + "/Obj_ящик.dnc";
  WriteFileBytes(bad, Bytes{1, 2, 3});
  // A folder's files are named with the system's own separator.
  const std::pair<std::string, std::string> named[] = {
      {bad, bad}, {dir + "/*.dnc", bad}, {dir, os::WithSeparator(dir) + "Obj_ящик.dnc"}};
  for (const auto& [argument, path] : named) {
    EXPECT_EQ(Run({"-q", "import", in, out_path, argument}), 1);
    EXPECT_EQ(err, "scene2: cannot import " + path + ": the file holds 3 bytes, less than a chunk's header\n");
  }
  EXPECT_EQ(Run({"-q", "import", in, out_path, dir + "/*.bin"}), 1);
  EXPECT_EQ(err, "scene2: cannot import " + dir + "/*.bin: no file matches it\n");
  EXPECT_FALSE(FileExists(out_path));
}

TEST_F(Scene2Cli, ImportTakesAFolderAndNamesWithWildcards) {
  const std::string dir = folder.Path("dnc");
  Run({"export", in, dir, "objects", "crate", "horn"});
  WriteFileBytes(dir + "/notes.txt", Text("not a chunk"));
  for (const std::vector<std::string>& files : {std::vector<std::string>{dir},
                                                {dir + "/"},
                                                {dir + "/Obj_*.dnc"},
                                                {dir + "/OBJ_?????.DNC", dir + "/*_horn.*"}}) {
    SCOPED_TRACE(files.front());
    std::vector<std::string> arguments = {"-q", "import", in, out_path};
    arguments.insert(arguments.end(), files.begin(), files.end());
    EXPECT_EQ(Run(arguments), 0) << err;
    EXPECT_EQ(out, "2 chunks imported (2 replaced, 0 added), saved to " + out_path + "\n");
  }
  EXPECT_EQ(Run({"-q", "import", in, out_path, dir + "/*.bin"}), 1);
  EXPECT_EQ(err, "scene2: cannot import " + dir + "/*.bin: no file matches it\n");
  const std::string empty = folder.Path("empty");
  std::filesystem::create_directories(empty);
  EXPECT_EQ(Run({"-q", "import", in, out_path, empty}), 1);
  EXPECT_EQ(err, "scene2: cannot import " + empty + ": no .dnc file in it\n");
}

TEST(Wildcards, MatchAsWindowsNamesDo) {
  EXPECT_TRUE(MatchesWildcard("Obj_crate.dnc", "*.dnc"));
  EXPECT_TRUE(MatchesWildcard("Obj_crate.dnc", "obj_*.DNC"));
  EXPECT_TRUE(MatchesWildcard("Obj_crate.dnc", "*"));
  EXPECT_TRUE(MatchesWildcard("Obj_crate.dnc", "Obj_cr?te.dnc"));
  EXPECT_TRUE(MatchesWildcard("Obj_a.b.dnc", "*.*.dnc"));
  EXPECT_TRUE(MatchesWildcard("Obj_\xD0\xAF.dnc", "Obj_?.dnc")) << "? is one character, not one byte";
  EXPECT_TRUE(MatchesWildcard("Obj_ЯЩИК.dnc", "obj_ящ*.dnc"));
  EXPECT_TRUE(MatchesWildcard("Obj_ґ.dnc", "*Ґ.DNC"));
  EXPECT_TRUE(MatchesWildcard("aaab", "*ab"));
  EXPECT_FALSE(MatchesWildcard("Obj_crate.dnc", "*.bin"));
  EXPECT_FALSE(MatchesWildcard("Obj_crate.dnc", "Obj_?.dnc"));
  EXPECT_FALSE(MatchesWildcard("Obj_crate.dnc", "Obj_crate"));
  EXPECT_FALSE(MatchesWildcard("", "?"));
}

TEST_F(Scene2Cli, CheckReportsEveryProblemWithItsOffset) {
  EXPECT_EQ(Run({"check", in}), 1);
  EXPECT_EQ(
      out,
      "offset 109: objects 2 \"a\\x09b\\x5Cc\\x7F\": no export can write it to \"Obj_a\\x09b\\x5Cc\\x7F.dnc\": the "
      "name holds a character that a file name can't hold\n"
      "offset 156: objects 3: its name can't be read: GetChunkName: NAME=NULL\n"
      "offset 168: objects 4 \"odd\": the editor's tree refuses object type 0x00000001\n" +
          in + ": 3 problems\n");
  WriteFileBytes(out_path, SceneFile({ChunkOf(1, {}), ChunkOf(kObjectsSection, ObjectChunk("crate", 9))}));
  EXPECT_EQ(Run({"check", out_path}), 0);
  EXPECT_EQ(out, out_path + ": no problems found\n");
}

TEST_F(Scene2Cli, DiffComparesChunkForChunk) {
  EXPECT_EQ(Run({"diff", "--trace", in, in}), 0);
  EXPECT_EQ(out, "");
  EXPECT_NE(err, "") << "the traces";
  EXPECT_EQ(Run({"diff", "-q", in, folder.Path("missing.bin")}), 2);
  EXPECT_EQ(err.rfind("scene2: cannot open " + folder.Path("missing.bin") + ": ", 0), 0u) << err;

  const Bytes horn = ObjectChunk("horn", 4);
  const Bytes otherHorn = ObjectChunk("horn", 2);
  const Bytes crate = ObjectChunk("crate", 9);
  const Bytes siren = ObjectChunk("sirens", 4);
  const Bytes b =
      SceneFile({ChunkOf(2, {}),
                 ChunkOf(kObjectsSection,
                         Concat({otherHorn, ObjectChunk("a\tb\\c\x7F", 0x52544353),
                                 ChunkOf(kObjectChunk, ChunkOf(kLightmapChunk, {})), ObjectChunk("odd", 1), siren})),
                 ChunkOf(kDefinitionsSection, Concat({DefinitionChunk("thing", 3), DefinitionChunk("door1", 6)})),
                 ChunkOf(kVisualEffectsSection, VisualEffectChunk("fog")),
                 ChunkOf(kInitScriptsSection, InitScriptChunk("start"))});
  WriteFileBytes(out_path, b);
  EXPECT_EQ(Run({"diff", "-q", in, out_path}), 1);
  EXPECT_EQ(out, "root size: " + std::to_string(kScene.size()) + " -> " + std::to_string(b.size()) +
                     "\n"
                     "head 0 (type 0001): changed, type 0001 -> 0002, size 6 -> 6, crc32 " +
                     CrcOf(ChunkOf(1, {})) + " -> " + CrcOf(ChunkOf(2, {})) +
                     "\n"
                     "objects \"crate\": removed, size 46, crc32 " +
                     CrcOf(crate) +
                     "\n"
                     "objects \"horn\": changed, size 45 -> 45, crc32 " +
                     CrcOf(horn) + " -> " + CrcOf(otherHorn) +
                     "\n"
                     "objects \"sirens\": added, size 47, crc32 " +
                     CrcOf(siren) +
                     "\n"
                     "definitions: order changed\n");
}

TEST_F(Scene2Cli, DiffPairsTheKthChunkOfANameWithTheKthAndWritesJson) {
  const Bytes first = ObjectChunk("x", 9);
  const Bytes second = ObjectChunk("x", 4);
  const Bytes changed = ObjectChunk("x", 2);
  WriteFileBytes(in, SceneFile({ChunkOf(1, {}), ChunkOf(kObjectsSection, Concat({first, second}))}));
  WriteFileBytes(out_path, SceneFile({ChunkOf(1, {}), ChunkOf(kObjectsSection, Concat({first, changed}))}));
  EXPECT_EQ(Run({"diff", "-q", in, out_path}), 1);
  EXPECT_EQ(out, "objects \"x\" #2: changed, size 42 -> 42, crc32 " + CrcOf(second) + " -> " + CrcOf(changed) + "\n");
  EXPECT_EQ(Run({"diff", "-q", "--json", in, out_path}), 1);
  EXPECT_EQ(out,
            "{\n"
            "  \"same\": false,\n"
            "  \"rootSize\": {\n"
            "    \"a\": 102,\n"
            "    \"b\": 102\n"
            "  },\n"
            "  \"heads\": [],\n"
            "  \"sections\": [\n"
            "    {\n"
            "      \"section\": \"objects\",\n"
            "      \"orderChanged\": false,\n"
            "      \"chunks\": [\n"
            "        {\n"
            "          \"change\": \"changed\",\n"
            "          \"name\": \"x\",\n"
            "          \"ordinal\": 2,\n"
            "          \"a\": {\n"
            "            \"index\": 1,\n"
            "            \"type\": \"4010\",\n"
            "            \"size\": 42,\n"
            "            \"crc32\": \"" +
                CrcOf(second) +
                "\"\n"
                "          },\n"
                "          \"b\": {\n"
                "            \"index\": 1,\n"
                "            \"type\": \"4010\",\n"
                "            \"size\": 42,\n"
                "            \"crc32\": \"" +
                CrcOf(changed) +
                "\"\n"
                "          }\n"
                "        }\n"
                "      ]\n"
                "    },\n"
                "    {\n"
                "      \"section\": \"definitions\",\n"
                "      \"orderChanged\": false,\n"
                "      \"chunks\": []\n"
                "    },\n"
                "    {\n"
                "      \"section\": \"initscripts\",\n"
                "      \"orderChanged\": false,\n"
                "      \"chunks\": []\n"
                "    },\n"
                "    {\n"
                "      \"section\": \"viseffects\",\n"
                "      \"orderChanged\": false,\n"
                "      \"chunks\": []\n"
                "    }\n"
                "  ]\n"
                "}\n");
}

// A chunk whose bytes differ only in its name is one renamed, found among
// the other changes of its section whatever its place: by its name
// sub-chunk for an object, by its name and its length for a visual effect.
TEST_F(Scene2Cli, DiffFindsRenamedChunksAmongOtherChanges) {
  const Bytes renamed = ObjectChunk("\xDF\x98", 9);  // crate's bytes, but for the name
  const Bytes otherHorn = ObjectChunk("horn", 2);
  const Bytes siren = ObjectChunk("sirens", 4);
  const Bytes door = DefinitionChunk("door2", 7);  // another name and another type: no rename
  const Bytes b =
      SceneFile({ChunkOf(1, {}),
                 ChunkOf(kObjectsSection,
                         Concat({otherHorn, renamed, ObjectChunk("a\tb\\c\x7F", 0x52544353),
                                 ChunkOf(kObjectChunk, ChunkOf(kLightmapChunk, {})), ObjectChunk("odd", 1), siren})),
                 ChunkOf(kDefinitionsSection, Concat({door, DefinitionChunk("thing", 3)})),
                 ChunkOf(kVisualEffectsSection, VisualEffectChunk("mist")),
                 ChunkOf(kInitScriptsSection, InitScriptChunk("start"))});
  WriteFileBytes(out_path, b);
  EXPECT_EQ(Run({"diff", in, out_path}), 1);
  EXPECT_EQ(out, "root size: " + std::to_string(kScene.size()) + " -> " + std::to_string(b.size()) +
                     "\n"
                     "objects: renamed \"crate\" -> \"Я\\x98\", size 46 -> 43, crc32 " +
                     CrcOf(ObjectChunk("crate", 9)) + " -> " + CrcOf(renamed) +
                     "\n"
                     "objects \"horn\": changed, size 45 -> 45, crc32 " +
                     CrcOf(ObjectChunk("horn", 4)) + " -> " + CrcOf(otherHorn) +
                     "\n"
                     "objects \"sirens\": added, size 47, crc32 " +
                     CrcOf(siren) +
                     "\n"
                     "objects: order changed\n"
                     "definitions \"door1\": removed, size 28, crc32 " +
                     CrcOf(DefinitionChunk("door1", 6)) +
                     "\n"
                     "definitions \"door2\": added, size 28, crc32 " +
                     CrcOf(door) +
                     "\n"
                     "viseffects: renamed \"fog\" -> \"mist\", size 26 -> 27, crc32 " +
                     CrcOf(VisualEffectChunk("fog")) + " -> " + CrcOf(VisualEffectChunk("mist")) + "\n");

  EXPECT_EQ(Run({"diff", "--json", in, out_path}), 1);
  EXPECT_NE(out.find("      \"chunks\": [\n"
                     "        {\n"
                     "          \"change\": \"renamed\",\n"
                     "          \"name\": \"crate\",\n"
                     "          \"ordinal\": 1,\n"
                     "          \"newName\": \"\\u042f\\ufffd\",\n"
                     "          \"newNameHex\": \"DF98\",\n"
                     "          \"newOrdinal\": 1,\n"
                     "          \"a\": {\n"
                     "            \"index\": 0,\n"
                     "            \"type\": \"4010\",\n"
                     "            \"size\": 46,\n"
                     "            \"crc32\": \"" +
                     CrcOf(ObjectChunk("crate", 9)) +
                     "\"\n"
                     "          },\n"
                     "          \"b\": {\n"
                     "            \"index\": 1,\n"
                     "            \"type\": \"4010\",\n"
                     "            \"size\": 43,\n"
                     "            \"crc32\": \"" +
                     CrcOf(renamed) +
                     "\"\n"
                     "          }\n"
                     "        },\n"
                     "        {\n"
                     "          \"change\": \"changed\",\n"
                     "          \"name\": \"horn\",\n"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("\"change\": \"renamed\",\n          \"name\": \"fog\",\n          \"ordinal\": 1,\n"
                     "          \"newName\": \"mist\",\n          \"newOrdinal\": 1,\n"),
            std::string::npos)
      << out;
  EXPECT_EQ(out.find("\"change\": \"removed\",\n          \"name\": \"crate\""), std::string::npos);
}

// Chunks alike but for their names pair in turn, the k-th chunk of a name
// keeping its number; a name given to a chunk that had none is no rename.
TEST_F(Scene2Cli, DiffPairsRenamedChunksInTheirOrder) {
  const Bytes nameless =
      ChunkOf(kObjectChunk, Concat({ChunkOf(kObjectTypeChunk, U32(9)), ChunkOf(kPositionChunk, Bytes(12, 0))}));
  const Bytes named = ObjectChunk("n", 9);  // the same sub-chunks after a name
  WriteFileBytes(in,
                 SceneFile({ChunkOf(1, {}), ChunkOf(kObjectsSection, Concat({ObjectChunk("x", 9), ObjectChunk("x", 9),
                                                                             ObjectChunk("x", 9), nameless}))}));
  WriteFileBytes(out_path,
                 SceneFile({ChunkOf(1, {}), ChunkOf(kObjectsSection, Concat({ObjectChunk("x", 9), ObjectChunk("y", 9),
                                                                             ObjectChunk("z", 9), named}))}));
  EXPECT_EQ(Run({"diff", in, out_path}), 1);
  const std::string crc = CrcOf(ObjectChunk("x", 9));
  EXPECT_EQ(out,
            "root size: 178 -> 186\n"
            "objects: renamed \"x\" #2 -> \"y\", size 42 -> 42, crc32 " +
                crc + " -> " + CrcOf(ObjectChunk("y", 9)) +
                "\n"
                "objects: renamed \"x\" #3 -> \"z\", size 42 -> 42, crc32 " +
                crc + " -> " + CrcOf(ObjectChunk("z", 9)) +
                "\n"
                "objects \"\": removed, size 34, crc32 " +
                CrcOf(nameless) +
                "\n"
                "objects \"n\": added, size 42, crc32 " +
                CrcOf(named) + "\n");
}

}  // namespace

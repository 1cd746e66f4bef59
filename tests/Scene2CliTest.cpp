// The scene2 command line, run in-process on files in a scratch folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "scene/ChunkTypes.h"
#include "tests/SceneTestSupport.h"
#include "tools/scene2/Scene2Cli.h"

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

const char kNamesCoincide[] = "\xD1\xEE\xE2\xEF\xE0\xE4\xE5\xED\xE8\xE5 \xE8\xEC\xB8\xED.";

class Scene2Cli : public testing::Test {
 protected:
  Scene2Cli() { WriteFileBytes(in, kScene); }

  int Run(std::vector<std::string> args) {
    std::ostringstream outStream;
    std::ostringstream errStream;
    const int status = RunScene2(args, outStream, errStream);
    out = outStream.str();
    err = errStream.str();
    return status;
  }

  std::vector<std::string> ObjectNamesIn(const std::string& path) {
    EXPECT_EQ(Run({"list", path}), 0);
    std::vector<std::string> names;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);)
      if (line.rfind("objects\t", 0) == 0) names.push_back(line.substr(line.rfind('\t') + 1));
    return names;
  }

  const Bytes kScene = SceneFile(
      {Chunk(1, {}),
       Chunk(kObjectsSection,
             Concat({ObjectChunk("crate", 9), ObjectChunk("horn", 4), ObjectChunk("a\tb\\c\x7F", 0x52544353),
                     Chunk(kObjectChunk, Chunk(kLightmapChunk, {})), ObjectChunk("odd", 1)})),
       Chunk(kDefinitionsSection, Concat({DefinitionChunk("door1", 6), DefinitionChunk("thing", 3)})),
       Chunk(kVisualEffectsSection, VisualEffectChunk("fog")), Chunk(kInitScriptsSection, InitScriptChunk("start"))});

  ScratchFolder folder;
  const std::string in = folder.Path("scene2.bin");
  const std::string out_path = folder.Path("out.bin");
  std::string out;
  std::string err;
};

TEST_F(Scene2Cli, TracePrintsTheLoadAndTheClosingLine) {
  EXPECT_EQ(Run({"trace", in}), 0);
  EXPECT_EQ(out.rfind("* qScene2bin.clear done *\r\nqScene2bin.ReadFromFile: file open\r\n", 0), 0u);
  EXPECT_NE(out.find("objects: 5\r\ndifinition: 2\r\ninit scripts: 1\r\n* qScene2bin.clear done *\r\n"),
            std::string::npos);
  EXPECT_EQ(err, "");
  EXPECT_EQ(Run({"trace", folder.Path("missing.bin")}), 1);
  EXPECT_EQ(err.rfind("scene2: cannot open " + folder.Path("missing.bin") + ": ", 0), 0u) << err;
}

TEST_F(Scene2Cli, ListPrintsOneLinePerItemAndTracesToStandardError) {
  EXPECT_EQ(Run({"list", in}), 0);
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

  WriteFileBytes(in, Bytes{'L', 'S', 0, 0});
  EXPECT_EQ(Run({"list", in}), 1);
  EXPECT_EQ(out, "");
}

TEST_F(Scene2Cli, SaveWritesTheSameBytes) {
  EXPECT_EQ(Run({"save", in, out_path}), 0);
  EXPECT_EQ(ReadFileBytes(out_path), kScene);
  EXPECT_NE(out.find("TqScene2bin.WriteToFile - done\r\n* qScene2bin.clear done *\r\n"), std::string::npos);
  EXPECT_EQ(Run({"save", in, folder.Path("no/such/out.bin")}), 1);
  EXPECT_NE(out.find("qScene2bin.WriteToFile: IO error\r\n"), std::string::npos);
}

TEST_F(Scene2Cli, FailuresNameThePathAndTheSystemsReason) {
  const std::string inside = folder.Path("folder");
  std::filesystem::create_directory(inside);
  EXPECT_EQ(Run({"save", in, inside}), 1);
  EXPECT_EQ(err, "scene2: cannot write " + inside + ": a folder, not a file\n");
  EXPECT_NE(out.find("qScene2bin.WriteToFile: a folder, not a file\r\n"), std::string::npos);
  EXPECT_EQ(Run({"save", in, folder.Path("no/such/out.bin")}), 1);
  EXPECT_EQ(err.rfind("scene2: cannot write " + folder.Path("no/such/out.bin") + ": ", 0), 0u) << err;
  EXPECT_NE(err, "scene2: cannot write " + folder.Path("no/such/out.bin") + ": \n");
  EXPECT_EQ(Run({"trace", inside}), 1);
  EXPECT_EQ(err, "scene2: cannot open " + inside + ": a folder, not a file\n");
}

TEST_F(Scene2Cli, SaveAfterAFailedLoadWritesNothing) {
  WriteFileBytes(in, Bytes{'S', 'L', 99, 0, 0, 0, 1, 0, 6, 0, 0, 0});
  EXPECT_EQ(Run({"save", in, out_path}), 1);
  EXPECT_FALSE(FileExists(out_path));
}

TEST_F(Scene2Cli, DeleteRemovesTheFirstChunkOfEachName) {
  EXPECT_EQ(Run({"delete", in, out_path, "objects", "horn", "crate"}), 0);
  EXPECT_EQ(ObjectNamesIn(out_path), (std::vector<std::string>{"a\\x09b\\x5Cc\\x7F", "", "odd"}));
  // The empty name finds the first chunk whose name is empty or unreadable.
  EXPECT_EQ(Run({"delete", out_path, out_path, "objects", ""}), 0);
  EXPECT_EQ(ObjectNamesIn(out_path), (std::vector<std::string>{"a\\x09b\\x5Cc\\x7F", "odd"}));
}

TEST_F(Scene2Cli, DeleteOfAMissingNameFailsAndWritesNothing) {
  EXPECT_EQ(Run({"delete", in, out_path, "definitions", "door1", "crate"}), 1);
  EXPECT_EQ(err, "scene2: no chunk named \"crate\" in definitions\n");
  EXPECT_FALSE(FileExists(out_path));
}

TEST_F(Scene2Cli, RenameAnswersTheDialogWithTheNewName) {
  EXPECT_EQ(Run({"rename", in, out_path, "objects", "horn", "siren"}), 0);
  EXPECT_NE(out.find("OLD\r\n"), std::string::npos);
  EXPECT_EQ(ObjectNamesIn(out_path)[1], "siren");
  EXPECT_EQ(ReadFileBytes(out_path).size(), kScene.size());
}

TEST_F(Scene2Cli, RefusedRenamesFailAndWriteNothing) {
  EXPECT_EQ(Run({"rename", in, out_path, "objects", "horn", "crate"}), 1);
  EXPECT_EQ(err, std::string(kNamesCoincide) + "\n");
  EXPECT_EQ(Run({"rename", in, out_path, "objects", "horn", ""}), 1);
  EXPECT_NE(out.find("qScene2bin.RenameChunk: qScene2bin.RenameChunk: newName=Null\r\n"), std::string::npos);
  EXPECT_EQ(Run({"rename", in, out_path, "initscripts", "start", "go"}), 1);
  EXPECT_EQ(Run({"rename", in, out_path, "objects", "nobody", "x"}), 1);
  EXPECT_FALSE(FileExists(out_path));
}

TEST_F(Scene2Cli, ExportWritesEveryChunkAndSummarisesLast) {
  const std::string dir = folder.Path("dnc/deeper");
  EXPECT_EQ(Run({"export", in, dir}), 1) << "one name holds characters no file name can";
  EXPECT_EQ(ScratchFolder::FileNamesOf(dir),
            (std::vector<std::string>{"Dfn_door1.dnc", "Dfn_thing.dnc", "InitSc_start.dnc", "Obj_.dnc", "Obj_crate.dnc",
                                      "Obj_horn.dnc", "Obj_odd.dnc", "VisEff_fog.dnc"}));
  EXPECT_TRUE(EndsWith(out, "* qScene2bin.clear done *\r\n8 files written to " + dir + "\n")) << out;
  EXPECT_NE(err.find("scene2: cannot write " + dir + "/Obj_a\\x09b\\x5Cc\\x7F.dnc: "), std::string::npos) << err;
}

TEST_F(Scene2Cli, ExportOfOneSectionOrOfNamedChunks) {
  const std::string dir = folder.Path("dnc");
  EXPECT_EQ(Run({"export", in, dir, "definitions"}), 0);
  EXPECT_EQ(ScratchFolder::FileNamesOf(dir), (std::vector<std::string>{"Dfn_door1.dnc", "Dfn_thing.dnc"}));
  EXPECT_EQ(Run({"export", in, dir + "/", "objects", "horn"}), 0);
  EXPECT_EQ(ReadFileBytes(dir + "/Obj_horn.dnc"), ObjectChunk("horn", 4));
  EXPECT_TRUE(EndsWith(out, "\r\n1 files written to " + dir + "/\n")) << out;
  EXPECT_EQ(Run({"export", in, dir, "objects", "nobody"}), 1);
  EXPECT_EQ(err, "scene2: no chunk named \"nobody\" in objects\n");
}

TEST_F(Scene2Cli, ImportPutsExportedFilesBackAndSummarisesLast) {
  const std::string dir = folder.Path("dnc");
  Run({"export", in, dir, "objects", "crate", "horn"});
  EXPECT_EQ(Run({"import", in, out_path, dir + "/Obj_horn.dnc", dir + "/Obj_crate.dnc"}), 0);
  EXPECT_EQ(ReadFileBytes(out_path), kScene);
  EXPECT_TRUE(EndsWith(out, "* qScene2bin.clear done *\r\n2 chunks imported (2 replaced, 0 added)\n")) << out;

  const std::string bad = dir + "/bad.dnc";
  WriteFileBytes(bad, Bytes{1, 2, 3});
  const std::string other = folder.Path("other.bin");
  EXPECT_EQ(Run({"import", in, other, dir + "/Obj_horn.dnc", bad}), 1);
  EXPECT_EQ(err, "scene2: cannot import " + bad + ": the file holds 3 bytes, less than a chunk's header\n");
  EXPECT_FALSE(FileExists(other));
}

TEST_F(Scene2Cli, UsageErrors) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{},
                                             {"frobnicate"},
                                             {"trace"},
                                             {"list", in, in},
                                             {"save", in},
                                             {"delete", in, out_path, "objects"},
                                             {"delete", in, out_path, "things", "x"},
                                             {"rename", in, out_path, "objects", "x"},
                                             {"export", in},
                                             {"export", in, out_path, "everything"},
                                             {"import", in, out_path}}) {
    EXPECT_EQ(Run(args), 2) << testing::PrintToString(args);
    EXPECT_EQ(err.rfind("usage: scene2", 0), 0u);
  }
  EXPECT_FALSE(FileExists(out_path));
}

}  // namespace

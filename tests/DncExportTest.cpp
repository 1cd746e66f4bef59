// .dnc file names and writing them.

#include <gtest/gtest.h>

#include "scene/ChunkTypes.h"
#include "scene/DncExport.h"
#include "tests/SceneTestSupport.h"

namespace {

TEST(DncExport, FileNameIsPrefixNameAndExtension) {
  const std::pair<Bytes, const char*> cases[] = {
      {ObjectChunk("horn", 4), "Obj_horn.dnc"},
      {DefinitionChunk("door1", 6), "Dfn_door1.dnc"},
      {InitScriptChunk("start"), "InitSc_start.dnc"},
      {VisualEffectChunk("fog"), "VisEff_fog.dnc"},
  };
  for (const auto& [chunk, name] : cases) {
    const Bytes stream = chunk;
    EXPECT_EQ(DncFileName(ViewOf(stream)), name);
  }
  TraceCollector trace;
  const Bytes other = ChunkOf(0x1234, {});
  EXPECT_EQ(DncFileName(ViewOf(other)), ".dnc");
}

TEST(DncExport, NamesTheFileInUtf8) {
  const std::string crate = "\xDF\xF9\xE8\xEA";  // in Windows-1251
  EXPECT_EQ(DncFileName(kObjectChunk, crate), "Obj_Ящик.dnc");
  EXPECT_EQ(DncFileName(kObjectChunk, "a\x98" + crate), "Obj_a\x98" + crate + ".dnc") << "a byte without a character";
  const Bytes stream = ObjectChunk(crate, 9);
  EXPECT_EQ(DncFileName(ViewOf(stream)), DncFileName(kObjectChunk, crate));
}

TEST(DncExport, NamesThatWouldLeaveTheFolderOrNameADeviceAreRefused) {
  for (const char* name : {"Obj_..\\..\\x.dnc", "Obj_../x.dnc", "C:\\x.dnc", "Obj_a:stream.dnc", "Obj_what?.dnc",
                           "Obj_a*.dnc", "Obj_tab\t.dnc", "CON.dnc", "con", "NUL.txt", "com1.dnc", "LPT9", "AUX .dnc"})
    EXPECT_NE(FileNameFault(name), "") << name;
  for (const char* name :
       {"Obj_crate.dnc", "Obj_CON.dnc", "COM10.dnc", "Obj_\xC4\xE2\xE5\xF0\xFC.dnc", ".dnc", "Obj_a b.dnc"})
    EXPECT_EQ(FileNameFault(name), "") << name;
}

TEST(DncExport, WritesTheChunkByteForByteInsideTheFolder) {
  ScratchFolder folder;
  const Bytes chunk = ObjectChunk("horn", 4);
  const Bytes stream = chunk;
  {
    TDncExport dncExport(folder.path() + "/");
    const DncWrite written = dncExport.Write(ViewOf(stream));
    ASSERT_TRUE(written.written) << written.error;
    EXPECT_EQ(written.fileName, "Obj_horn.dnc");

    const Bytes escaping = ObjectChunk("..\\..\\x", 4);
    const DncWrite refused = dncExport.Write(ViewOf(escaping));
    EXPECT_FALSE(refused.written);
    EXPECT_EQ(refused.error, "the name holds a path separator");
  }
  EXPECT_EQ(ReadFileBytes(folder.Path("Obj_horn.dnc")), chunk);
  // The folder of temporary files goes with the export.
  EXPECT_EQ(folder.FileNames(), (std::vector<std::string>{"Obj_horn.dnc"}));
}

TEST(DncExport, AFolderThatCannotBeMadeFailsEveryWrite) {
  ScratchFolder folder;
  WriteFileBytes(folder.Path("file"), Text("in the way"));
  TDncExport dncExport(folder.Path("file/dnc/"));
  EXPECT_NE(dncExport.FolderError(), "");
  const Bytes stream = ObjectChunk("y", 4);
  const DncWrite failed = dncExport.Write(ViewOf(stream));
  EXPECT_FALSE(failed.written);
  EXPECT_EQ(failed.error, dncExport.FolderError());
  EXPECT_EQ(folder.FileNames(), (std::vector<std::string>{"file"}));
}

}  // namespace

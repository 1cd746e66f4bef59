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

TEST(DncExport, NamesTheFileInUtf8OnEverySystem) {
  const std::string crate = "\xDF\xF9\xE8\xEA";  // in Windows-1251
  EXPECT_EQ(DncFileName(kObjectChunk, crate), "Obj_Ящик.dnc");
#ifdef _WIN32
  EXPECT_EQ(DncFileName(kObjectChunk, "a\x98" + crate), "Obj_a\uFFFDЯщик.dnc") << "a byte without a character";
#else
  EXPECT_EQ(DncFileName(kObjectChunk, "a\x98" + crate), "Obj_a\x98" + crate + ".dnc") << "a byte without a character";
#endif
  const Bytes stream = ObjectChunk(crate, 9);
  EXPECT_EQ(DncFileName(ViewOf(stream)), DncFileName(kObjectChunk, crate));
}

TEST(DncExport, FileNameLengthIsMeasuredAsTheFileSystemDoes) {
  std::string longest;
  for (int i = 0; i < 255; ++i) longest += "Я";
#ifdef _WIN32
  EXPECT_EQ(FileNameLengthFault(longest), "");
  EXPECT_EQ(FileNameLengthFault(longest + "\xF0\x9F\x98\x80"),
            "the file name is 257 UTF-16 units long, and a file system takes 255 at most");
#else
  EXPECT_EQ(FileNameLengthFault(longest), "the file name is 510 bytes long, and a file system takes 255 at most");
#endif
}

TEST(DncExport, NamesThatWouldLeaveTheFolderOrNameADeviceAreRefused) {
  for (const char* name : {"Obj_..\\..\\x.dnc", "Obj_../x.dnc", "C:\\x.dnc", "Obj_a:stream.dnc", "Obj_what?.dnc",
                           "Obj_a*.dnc", "Obj_tab\t.dnc", "CON.dnc", "con", "NUL.txt", "com1.dnc", "LPT9", "AUX .dnc"})
    EXPECT_NE(FileNameFault(name), "") << name;
  for (const char* name :
       {"Obj_crate.dnc", "Obj_CON.dnc", "COM10.dnc", "Obj_\xC4\xE2\xE5\xF0\xFC.dnc", ".dnc", "Obj_a b.dnc"})
    EXPECT_EQ(FileNameFault(name), "") << name;
}

// Windows takes two names that differ only in the case of a letter for one,
// and the code page's letters are all known: every pair folds alike.
TEST(DncExport, FoldsEveryLetterOfTheCodePageAsWindowsComparesNames) {
  const std::pair<const char*, const char*> pairs[] = {
      {"A", "a"}, {"Z", "z"}, {"А", "а"}, {"Я", "я"}, {"Ё", "ё"}, {"Ђ", "ђ"}, {"Ѓ", "ѓ"}, {"Є", "є"},
      {"Ѕ", "ѕ"}, {"І", "і"}, {"Ї", "ї"}, {"Ј", "ј"}, {"Љ", "љ"}, {"Њ", "њ"}, {"Ћ", "ћ"}, {"Ќ", "ќ"},
      {"Ў", "ў"}, {"Џ", "џ"}, {"Ґ", "ґ"},
  };
  for (const auto& [upper, lower] : pairs) EXPECT_EQ(FoldedFileName(upper), FoldedFileName(lower)) << upper;
  // Characters without a case, and bytes that are no UTF-8, stay as they are.
  for (const char* same : {"№", "µ", "€", "_", "\x98", "1 (2).dnc"}) EXPECT_EQ(FoldedFileName(same), same);
  EXPECT_NE(FoldedFileName("Ш"), FoldedFileName("Щ"));
  EXPECT_TRUE(FoldsLikeWindows("Obj_Ящик №1.dnc"));
  EXPECT_FALSE(FoldsLikeWindows("Obj_\xC4\xB1.dnc")) << "dotless i, which the code page lacks";
  EXPECT_FALSE(FoldsLikeWindows("Obj_\x98.dnc"));
}

TEST(DncExport, RepeatedNamesGetTheFirstFreeNumber) {
  TDncFileNames names;
  EXPECT_EQ(names.Unused("Obj_Ящик.dnc"), "Obj_Ящик.dnc");
  EXPECT_EQ(names.Unused("Obj_ЯЩИК.dnc"), "Obj_ЯЩИК (2).dnc");
  EXPECT_EQ(names.Unused("Obj_ящик (3).dnc"), "Obj_ящик (3).dnc") << "a name of that form, given as it is";
  EXPECT_EQ(names.Unused("Obj_ящИк.dnc"), "Obj_ящИк (4).dnc");
  EXPECT_EQ(names.Unused("Obj_Ящик (2).dnc"), "Obj_Ящик (2) (2).dnc");
  EXPECT_EQ(names.Unused("Obj_other.dnc"), "Obj_other.dnc");
  for (int number = 2; number < 1000; ++number)
    ASSERT_EQ(names.Unused("Obj_OTHER.dnc"), "Obj_OTHER (" + std::to_string(number) + ").dnc");
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

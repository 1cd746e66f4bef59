// Names as scene2 prints them and takes them back, in UTF-8 on every platform.

#include <gtest/gtest.h>

#include "scene/Utf8.h"
#include "tools/scene2/NameText.h"

namespace {

// Every byte is a whole character and none breaks a line or a field.
void ExpectPlainUtf8(const std::string& text) {
  for (size_t at = 0; at < text.size();) {
    const std::optional<char32_t> character = ReadUtf8(text, at);
    ASSERT_TRUE(character) << "no UTF-8 at " << at << " of " << text;
    EXPECT_GE(*character, 0x20u);
    EXPECT_NE(*character, 0x7Fu);
  }
}

TEST(NameText, EveryByteValueComesBackAsItWent) {
  std::string everyByte;
  for (int byte = 0; byte < 256; ++byte) everyByte += static_cast<char>(byte);
  for (int byte = 0; byte < 256; ++byte) {
    SCOPED_TRACE(byte);
    const std::string name = std::string("a") + static_cast<char>(byte) + "z";
    const std::string text = NameText(name);
    std::string error;
    EXPECT_EQ(NameBytes(text, error), name) << error;
    ExpectPlainUtf8(text);
  }
  std::string error;
  EXPECT_EQ(NameBytes(NameText(everyByte), error), everyByte) << error;
}

TEST(NameText, WhatIsWrittenAsHexadecimal) {
  const struct {
    std::string name;
    const char* text;
  } cases[] = {
      {"crate", "crate"},
      {"a\tb", "a\\x09b"},
      {"props\\crate", "props\\x5Ccrate"},
      {std::string("\0\x1F\x7F", 3), "\\x00\\x1F\\x7F"},
      {"\xDF\xF9\xE8\xEA", "Ящик"},
      {"a\x98z", "a\\x98z"},
      {"\xB9 \xA8", "№ Ё"},
  };
  for (const auto& [name, text] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(NameText(name), text);
  }
  EXPECT_EQ(QuotedName("a\tb"), "\"a\\x09b\"");
}

TEST(NameText, ArgumentsTakeEitherCaseOfDigitsAndBytesThatAreNoUtf8) {
  const struct {
    const char* text;
    std::string name;
  } cases[] = {
      {"props\\x5ccrate", "props\\crate"},
      {"\\xdF\\xF9", "\xDF\xF9"},
      {"Ящик", "\xDF\xF9\xE8\xEA"},
      {"\xDF\xF9\xE8\xEA", "\xDF\xF9\xE8\xEA"},  // Windows-1251 as it stands, from an older listing
      {"", ""},
  };
  for (const auto& [text, name] : cases) {
    SCOPED_TRACE(text);
    std::string error;
    EXPECT_EQ(NameBytes(text, error), name) << error;
  }
}

TEST(NameText, ArgumentsThatNameNoBytesAreRefusedWithTheReason) {
  const std::string badEscape =
      "a backslash in a name starts \\xHH, a byte in hexadecimal (a backslash itself is \\x5C)";
  const struct {
    const char* text;
    std::string error;
  } cases[] = {
      {"props\\crate", badEscape},
      {"end\\", badEscape},
      {"\\x5", badEscape},
      {"\\xZZ", badEscape},
      {"\\X41", badEscape},
      {"caf\xC3\xA9", "\"é\" (U+00E9) has no byte in Windows-1251, the game's code page"},
      {"\xF0\x9F\x98\x80", "\"😀\" (U+1F600) has no byte in Windows-1251, the game's code page"},
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(text);
    std::string error;
    EXPECT_FALSE(NameBytes(text, error));
    EXPECT_EQ(error, expected);
  }
}

TEST(NameText, FileNames) {
  EXPECT_EQ(FileNameText("Obj_Ящик.dnc"), "Obj_Ящик.dnc");
  EXPECT_EQ(FileNameText("Obj_a\x98\tb\\.dnc"), "Obj_a\\x98\\x09b\\x5C.dnc");
}

}  // namespace

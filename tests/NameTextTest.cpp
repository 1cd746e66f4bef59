// Names as scene2 prints them and takes them back, in both platform texts.

#include <gtest/gtest.h>

#include "scene/Utf8.h"
#include "tools/scene2/NameText.h"

namespace {

constexpr TextEncoding kEncodings[] = {TextEncoding::Utf8, TextEncoding::Ansi};

const char* EncodingName(TextEncoding encoding) { return encoding == TextEncoding::Utf8 ? "UTF-8" : "ANSI"; }

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
  for (const TextEncoding encoding : kEncodings) {
    SCOPED_TRACE(EncodingName(encoding));
    for (int byte = 0; byte < 256; ++byte) {
      SCOPED_TRACE(byte);
      const std::string name = std::string("a") + static_cast<char>(byte) + "z";
      const std::string text = NameText(name, encoding);
      std::string error;
      EXPECT_EQ(NameBytes(text, error, encoding), name) << error;
      if (encoding == TextEncoding::Utf8) ExpectPlainUtf8(text);
    }
    std::string error;
    EXPECT_EQ(NameBytes(NameText(everyByte, encoding), error, encoding), everyByte) << error;
  }
}

TEST(NameText, WhatIsWrittenAsHexadecimal) {
  const struct {
    std::string name;
    const char* utf8;
    const char* ansi;
  } cases[] = {
      {"crate", "crate", "crate"},
      {"a\tb", "a\\x09b", "a\\x09b"},
      {"props\\crate", "props\\x5Ccrate", "props\\x5Ccrate"},
      {std::string("\0\x1F\x7F", 3), "\\x00\\x1F\\x7F", "\\x00\\x1F\\x7F"},
      {"\xDF\xF9\xE8\xEA", "Ящик", "\xDF\xF9\xE8\xEA"},
      {"a\x98z", "a\\x98z", "a\x98z"},
      {"\xB9 \xA8", "№ Ё", "\xB9 \xA8"},
  };
  for (const auto& [name, utf8, ansi] : cases) {
    SCOPED_TRACE(utf8);
    EXPECT_EQ(NameText(name, TextEncoding::Utf8), utf8);
    EXPECT_EQ(NameText(name, TextEncoding::Ansi), ansi);
  }
  EXPECT_EQ(QuotedName("a\tb", TextEncoding::Utf8), "\"a\\x09b\"");
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
    EXPECT_EQ(NameBytes(text, error, TextEncoding::Utf8), name) << error;
  }
  std::string error;
  EXPECT_EQ(NameBytes("Ящик", error, TextEncoding::Ansi), "Ящик") << "ANSI text stays as it is";
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
  for (const TextEncoding encoding : kEncodings) {
    for (const auto& [text, expected] : cases) {
      SCOPED_TRACE(text);
      const bool characters = expected != badEscape;
      if (characters && encoding == TextEncoding::Ansi) continue;
      std::string error;
      EXPECT_FALSE(NameBytes(text, error, encoding));
      EXPECT_EQ(error, expected);
    }
  }
}

TEST(NameText, MessagesAndFileNames) {
  const std::string namesCoincide = "\xD1\xEE\xE2\xEF\xE0\xE4\xE5\xED\xE8\xE5 \xE8\xEC\xB8\xED.";
  EXPECT_EQ(MessageText(namesCoincide, TextEncoding::Utf8), "Совпадение имён.");
  EXPECT_EQ(MessageText(namesCoincide, TextEncoding::Ansi), namesCoincide);

  EXPECT_EQ(FileNameText("Obj_Ящик.dnc", TextEncoding::Utf8), "Obj_Ящик.dnc");
  EXPECT_EQ(FileNameText("Obj_a\x98\tb\\.dnc", TextEncoding::Utf8), "Obj_a\\x98\\x09b\\x5C.dnc");
  EXPECT_EQ(FileNameText("Obj_a\x98\tb\\.dnc", TextEncoding::Ansi), "Obj_a\x98\\x09b\\x5C.dnc");
}

}  // namespace

// Windows-1251, the game's code page, and UTF-8: our own tables, the same on
// every platform.

#include <gtest/gtest.h>

#include <set>

#include "scene/Utf8.h"
#include "scene/Windows1251.h"

namespace {

TEST(Windows1251, EveryByteButOneHasACharacterThatLeadsBackToIt) {
  std::set<char32_t> characters;
  for (int byte = 0; byte < 256; ++byte) {
    SCOPED_TRACE(byte);
    const std::optional<char32_t> character = Windows1251Character(static_cast<uint8_t>(byte));
    if (byte == 0x98) {
      EXPECT_FALSE(character);
      continue;
    }
    ASSERT_TRUE(character);
    characters.insert(*character);
    EXPECT_EQ(Windows1251Byte(*character), byte);
  }
  EXPECT_EQ(characters.size(), 255u) << "two bytes share a character";
}

TEST(Windows1251, KnownCharacters) {
  const std::pair<uint8_t, char32_t> known[] = {
      {0x00, 0x0000}, {0x5C, U'\\'},  {0x7F, 0x007F}, {0x80, U'Ђ'}, {0x88, U'€'}, {0x97, U'—'},
      {0x99, U'™'},   {0xA0, 0x00A0}, {0xA8, U'Ё'},   {0xB8, U'ё'}, {0xB9, U'№'}, {0xBF, U'ї'},
      {0xC0, U'А'},   {0xDF, U'Я'},   {0xE0, U'а'},   {0xFF, U'я'},
  };
  for (const auto& [byte, character] : known) {
    SCOPED_TRACE(byte);
    EXPECT_EQ(Windows1251Character(byte), character);
  }
  for (const char32_t stranger : {U'é', U'Ω', U'\uFFFD', U'😀', char32_t{0x110000}})
    EXPECT_FALSE(Windows1251Byte(stranger)) << static_cast<uint32_t>(stranger);
}

TEST(Windows1251, TextsBecomeUtf8WithAMarkWhereAByteHasNoCharacter) {
  bool complete = false;
  EXPECT_EQ(Utf8FromWindows1251("\xD1\xEE\xE2\xEF\xE0\xE4\xE5\xED\xE8\xE5 \xE8\xEC\xB8\xED.", &complete),
            "Совпадение имён.");
  EXPECT_TRUE(complete);
  EXPECT_EQ(Utf8FromWindows1251("a\x98z", &complete), "a\uFFFDz");
  EXPECT_FALSE(complete);
  EXPECT_EQ(Utf8FromWindows1251(std::string_view("\0b", 2)), std::string("\0b", 2));
}

TEST(Utf8, EncodesAndReadsBackEveryWidth) {
  for (const char32_t character : {char32_t{0}, char32_t{0x7F}, char32_t{0x80}, char32_t{0x7FF}, char32_t{0x800},
                                   char32_t{0xFFFF}, char32_t{0x10000}, char32_t{0x10FFFF}}) {
    SCOPED_TRACE(static_cast<uint32_t>(character));
    std::string text;
    AppendUtf8(text, character);
    EXPECT_EQ(text.size(), character < 0x80 ? 1u : character < 0x800 ? 2u : character < 0x10000 ? 3u : 4u);
    size_t at = 0;
    EXPECT_EQ(ReadUtf8(text, at), character);
    EXPECT_EQ(at, text.size());
  }
  std::string euro;
  AppendUtf8(euro, U'€');
  EXPECT_EQ(euro, "\xE2\x82\xAC");
}

TEST(Utf8, CountsTheUtf16UnitsThatWindowsFileNamesTake) {
  EXPECT_EQ(Utf16Length(""), 0u);
  EXPECT_EQ(Utf16Length("aЯ€"), 3u);
  EXPECT_EQ(Utf16Length("\xF0\x9F\x98\x80"), 2u) << "a surrogate pair";
  EXPECT_EQ(Utf16Length("a\x98\xE2\x82"), 4u) << "a unit for each byte of no character";
}

TEST(Utf8, RefusesMalformedSequencesWithoutMoving) {
  const struct {
    const char* what;
    std::string bytes;
  } malformed[] = {
      {"a stray continuation byte", "\x80"},           {"a sequence cut short", "\xE2\x82"},
      {"a lead byte before ASCII", "\xC3("},           {"an overlong slash", "\xC0\xAF"},
      {"an overlong three-byte form", "\xE0\x80\xAF"}, {"a surrogate", "\xED\xA0\x80"},
      {"above U+10FFFF", "\xF4\x90\x80\x80"},          {"a byte no sequence begins with", "\xFF"},
  };
  for (const auto& [what, bytes] : malformed) {
    SCOPED_TRACE(what);
    size_t at = 0;
    EXPECT_FALSE(ReadUtf8(bytes, at));
    EXPECT_EQ(at, 0u);
  }
}

}  // namespace

#include "scene/Windows1251.h"

#include <algorithm>
#include <array>
#include <utility>

#include "scene/Utf8.h"

namespace {

constexpr char32_t kNone = 0;

// The characters of bytes 0x80 to 0xBF; 0xC0 to 0xFF are U+0410 to U+044F,
// the Russian alphabet in order, and bytes below 0x80 are ASCII.
constexpr char32_t kUpperHalf[0x40] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 0x88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    kNone,  0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 0x98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // 0xA0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // 0xA8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // 0xB8
};

constexpr uint8_t kFirstLetterByte = 0xC0;
constexpr char32_t kFirstLetter = 0x0410;

// kUpperHalf turned round, sorted by character, for the way back.
using ByteOf = std::pair<char32_t, uint8_t>;
constexpr auto kBytesOfUpperHalf = [] {
  std::array<ByteOf, std::size(kUpperHalf) - 1> table{};
  size_t next = 0;
  for (size_t i = 0; i < std::size(kUpperHalf); ++i)
    if (kUpperHalf[i] != kNone) table[next++] = {kUpperHalf[i], static_cast<uint8_t>(0x80 + i)};
  std::sort(table.begin(), table.end());
  return table;
}();

}  // namespace

std::optional<char32_t> Windows1251Character(uint8_t byte) {
  if (byte < 0x80) return byte;
  if (byte >= kFirstLetterByte) return kFirstLetter + (byte - kFirstLetterByte);
  const char32_t character = kUpperHalf[byte - 0x80];
  if (character == kNone) return std::nullopt;
  return character;
}

std::optional<uint8_t> Windows1251Byte(char32_t character) {
  if (character < 0x80) return static_cast<uint8_t>(character);
  if (character >= kFirstLetter && character < kFirstLetter + 0x40)
    return static_cast<uint8_t>(kFirstLetterByte + (character - kFirstLetter));
  const auto found = std::lower_bound(kBytesOfUpperHalf.begin(), kBytesOfUpperHalf.end(), ByteOf{character, 0});
  if (found == kBytesOfUpperHalf.end() || found->first != character) return std::nullopt;
  return found->second;
}

std::string Utf8FromWindows1251(std::string_view bytes, bool* complete) {
  if (complete != nullptr) *complete = true;
  std::string text;
  text.reserve(bytes.size());
  for (const char byte : bytes) {
    const std::optional<char32_t> character = Windows1251Character(static_cast<uint8_t>(byte));
    if (!character && complete != nullptr) *complete = false;
    AppendUtf8(text, character.value_or(U'\uFFFD'));
  }
  return text;
}

std::string Windows1251FromUtf8(std::string_view text, std::u32string* missing) {
  std::string bytes;
  bytes.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    const std::optional<char32_t> character = ReadUtf8(text, at);
    if (!character) {
      bytes += text[at++];
      continue;
    }
    const std::optional<uint8_t> byte = Windows1251Byte(*character);
    if (!byte && missing != nullptr && missing->find(*character) == std::u32string::npos) *missing += *character;
    bytes += byte ? static_cast<char>(*byte) : '?';
  }
  return bytes;
}

char32_t FoldedCase(char32_t character) {
  if (character >= U'A' && character <= U'Z') return character + (U'a' - U'A');
  // А to Я, and Ѐ to Џ before them, are U+0020 and U+0050 below their lower case.
  if (character >= U'\u0410' && character <= U'\u042F') return character + 0x20;
  if (character >= U'\u0400' && character <= U'\u040F') return character + 0x50;
  if (character == U'\u0490') return U'\u0491';  // Ґ
  return character;
}

bool IsFoldingKnown(char32_t character) { return Windows1251Byte(character).has_value(); }

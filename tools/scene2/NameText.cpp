#include "tools/scene2/NameText.h"

#include <cctype>

#include "scene/Hex.h"
#include "scene/Utf8.h"
#include "scene/Windows1251.h"

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  const int lower = std::tolower(static_cast<unsigned char>(c));
  return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

std::string CharacterText(char32_t character) {
  std::string text = "\"";
  AppendUtf8(text, character);
  return text + "\" (U+" + HexUpper(character, 4) + ")";
}

}  // namespace

std::optional<std::string> NameBytes(std::string_view text, std::string& error) {
  std::string name;
  size_t at = 0;
  while (at < text.size()) {
    if (text[at] == '\\') {
      const int high = text.size() - at >= 4 && text[at + 1] == 'x' ? HexDigit(text[at + 2]) : -1;
      const int low = high >= 0 ? HexDigit(text[at + 3]) : -1;
      if (low < 0) {
        error = "a backslash in a name starts \\xHH, a byte in hexadecimal (a backslash itself is \\x5C)";
        return std::nullopt;
      }
      name += static_cast<char>(high * 16 + low);
      at += 4;
      continue;
    }
    const std::optional<char32_t> character = ReadUtf8(text, at);
    if (!character) {
      name += text[at++];
      continue;
    }
    const std::optional<uint8_t> byte = Windows1251Byte(*character);
    if (!byte) {
      error = CharacterText(*character) + " has no byte in Windows-1251, the game's code page";
      return std::nullopt;
    }
    name += static_cast<char>(*byte);
  }
  return name;
}

std::string FileNameText(std::string_view fileName) {
  std::string text;
  size_t at = 0;
  while (at < fileName.size()) {
    const auto byte = static_cast<unsigned char>(fileName[at]);
    const size_t start = at;
    if (BreaksText(byte)) {
      text += Escape(byte);
      ++at;
    } else if (ReadUtf8(fileName, at)) {
      text.append(fileName.substr(start, at - start));
    } else {
      text += Escape(byte);
      ++at;
    }
  }
  return text;
}

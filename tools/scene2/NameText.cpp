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

// The Windows-1251 bytes of `text`, with \\xHH escapes when `escapes`.
std::optional<std::string> Windows1251Bytes(std::string_view text, bool escapes, std::string& error) {
  std::string name;
  size_t at = 0;
  while (at < text.size()) {
    if (escapes && text[at] == '\\') {
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

}  // namespace

std::optional<std::string> NameBytes(std::string_view text, std::string& error) {
  return Windows1251Bytes(text, true, error);
}

std::optional<std::string> TextBytes(std::string_view text, std::string& error) {
  return Windows1251Bytes(text, false, error);
}

std::optional<std::string> HexBytes(std::string_view hex) {
  if (hex.size() % 2 != 0) return std::nullopt;
  std::string bytes;
  for (size_t at = 0; at < hex.size(); at += 2) {
    const int high = HexDigit(hex[at]);
    const int low = HexDigit(hex[at + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes += static_cast<char>(high * 16 + low);
  }
  return bytes;
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

#include "scene/PrintedName.h"

#include "scene/Hex.h"
#include "scene/Utf8.h"
#include "scene/Windows1251.h"

namespace {

// The name's characters, with the bytes that `escaped` picks, and those that
// have no character, as \xHH.
std::string Decoded(std::string_view name, bool (*escaped)(unsigned char)) {
  std::string text;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    const std::optional<char32_t> character = Windows1251Character(byte);
    if (escaped(byte) || !character)
      text += Escape(byte);
    else
      AppendUtf8(text, *character);
  }
  return text;
}

}  // namespace

bool Unshowable(unsigned char byte) { return byte < 0x20 || byte == 0x7F; }

bool BreaksText(unsigned char byte) { return Unshowable(byte) || byte == '\\'; }

std::string Escape(unsigned char byte) { return "\\x" + HexUpper(byte, 2); }

std::string NameText(std::string_view name) { return Decoded(name, BreaksText); }

std::string ShownText(std::string_view name) { return Decoded(name, Unshowable); }

std::string QuotedName(std::string_view name) {
  // Appended piece by piece: '"' + text makes GCC 12 warn of an overlap that
  // cannot happen.
  std::string quoted = "\"";
  quoted += NameText(name);
  quoted += '"';
  return quoted;
}

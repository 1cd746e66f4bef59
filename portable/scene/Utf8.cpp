#include "scene/Utf8.h"

namespace {

// The lead byte of a sequence of 2, 3 or 4 bytes: the bits that mark it, the
// continuation bytes after it, and the least character it may carry (below
// that the form is overlong).
struct Sequence {
  unsigned char mask;
  unsigned char marker;
  int continuations;
  char32_t least;
};
constexpr Sequence kSequences[] = {{0xE0, 0xC0, 1, 0x80}, {0xF0, 0xE0, 2, 0x800}, {0xF8, 0xF0, 3, 0x10000}};

}  // namespace

void AppendUtf8(std::string& text, char32_t character) {
  if (character < 0x80) {
    text += static_cast<char>(character);
    return;
  }
  const Sequence& sequence = kSequences[character < 0x800 ? 0 : character < 0x10000 ? 1 : 2];
  text += static_cast<char>(sequence.marker | (character >> (6 * sequence.continuations)));
  for (int shift = 6 * (sequence.continuations - 1); shift >= 0; shift -= 6)
    text += static_cast<char>(0x80 | ((character >> shift) & 0x3F));
}

std::optional<char32_t> ReadUtf8(std::string_view text, size_t& at) {
  if (at >= text.size()) return std::nullopt;
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) return text[at++];
  for (const Sequence& sequence : kSequences) {
    if ((lead & sequence.mask) != sequence.marker) continue;
    const auto count = static_cast<size_t>(sequence.continuations);
    if (count > text.size() - at - 1) return std::nullopt;
    char32_t character = lead & static_cast<unsigned char>(~sequence.mask);
    for (size_t i = 1; i <= count; ++i) {
      const auto next = static_cast<unsigned char>(text[at + i]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      character = (character << 6) | (next & 0x3F);
    }
    if (character < sequence.least || character > 0x10FFFF || (character >= 0xD800 && character <= 0xDFFF))
      return std::nullopt;
    at += 1 + count;
    return character;
  }
  return std::nullopt;
}

size_t Utf16Length(std::string_view text) {
  size_t units = 0;
  for (size_t at = 0; at < text.size();) {
    const std::optional<char32_t> character = ReadUtf8(text, at);
    if (!character) ++at;
    units += character && *character > 0xFFFF ? 2u : 1u;
  }
  return units;
}

#include "scene/Hex.h"

namespace {

std::string Hex(uint64_t value, int digits, const char* alphabet) {
  std::string text;
  do {
    text.insert(text.begin(), alphabet[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  if (static_cast<int>(text.size()) < digits) text.insert(0, static_cast<size_t>(digits) - text.size(), '0');
  return text;
}

}  // namespace

std::string HexUpper(uint64_t value, int digits) { return Hex(value, digits, "0123456789ABCDEF"); }
std::string HexLower(uint64_t value, int digits) { return Hex(value, digits, "0123456789abcdef"); }

std::string HexUpperBytes(std::string_view bytes) {
  std::string hex;
  for (const char byte : bytes) hex += HexUpper(static_cast<unsigned char>(byte), 2);
  return hex;
}

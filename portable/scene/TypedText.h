#pragma once
// What a user types into a window for a scene's text (a name, a sector),
// as the Windows-1251 bytes the scene holds.

#include <string>
#include <string_view>

struct TypedBytes {
  std::string bytes;
  // Empty when every character has a byte; else why the text can't be
  // taken, naming each character that has none.
  std::string refusal;
};

TypedBytes BytesOfTyped(std::string_view utf8);

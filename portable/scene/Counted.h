#pragma once
// A count with its noun, as every summary and message words one: "1 chunk",
// "2 chunks". The nouns used take an "s" for more than one, and for none.

#include <cstdint>
#include <string>
#include <string_view>

inline std::string Counted(uint64_t count, std::string_view noun) {
  std::string text = std::to_string(count) + ' ';
  text += noun;
  if (count != 1) text += 's';
  return text;
}

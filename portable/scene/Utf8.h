#pragma once
// UTF-8, the text of Linux terminals, file names and JSON: one character
// written or read at a time.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Appends the UTF-8 bytes of `character`, a Unicode scalar value.
void AppendUtf8(std::string& text, char32_t character);

// Reads the character that starts at `at` and moves `at` past it. Nullopt,
// with `at` unmoved, where the bytes there start no well-formed character
// (a stray continuation byte, a sequence cut short, an overlong form, a
// surrogate, a value above U+10FFFF).
std::optional<char32_t> ReadUtf8(std::string_view text, size_t& at);

// How many UTF-16 units the text takes, as Windows measures names: two for a
// character above U+FFFF, one for each byte that starts no character.
size_t Utf16Length(std::string_view text);

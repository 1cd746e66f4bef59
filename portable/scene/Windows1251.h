#pragma once
// Windows-1251, the game's code page, in which names and the scene model's
// Cyrillic messages are held: our own table, so that every platform reads
// the bytes alike and Linux needs no conversion library.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The character of a byte; nullopt for 0x98, the one byte the code page leaves
// without a character.
std::optional<char32_t> Windows1251Character(uint8_t byte);

// The byte of a character; nullopt when the code page has none.
std::optional<uint8_t> Windows1251Byte(char32_t character);

// The bytes as UTF-8 text. A byte without a character becomes U+FFFD, the
// replacement character, and clears `complete` when given.
std::string Utf8FromWindows1251(std::string_view bytes, bool* complete = nullptr);

// The Windows-1251 bytes of UTF-8 text. A character without a byte becomes
// '?' and is added to `missing`, when given, once; bytes that are no UTF-8
// stay as they are.
std::string Windows1251FromUtf8(std::string_view text, std::u32string* missing = nullptr);

// `character` as Windows compares file names, which ignores case: the lower
// case of every letter the code page holds (A to Z, the Cyrillic alphabet
// with Ё, Ђ, Ѓ, Є, Ѕ, І, Ї, Ј, Љ, Њ, Ћ, Ќ, Ў, Џ and Ґ, and Ѐ and Ѝ, which
// Windows folds with them), so that two names that Windows takes for one
// fold alike on every system. Any other character is given back as it is.
char32_t FoldedCase(char32_t character);

// Whether FoldedCase knows how Windows folds `character`: it is one that the
// code page holds.
bool IsFoldingKnown(char32_t character);

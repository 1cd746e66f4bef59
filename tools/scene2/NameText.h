#pragma once
// Names as a command prints them and takes them back. A name is bytes in the
// game's code page, Windows-1251; what a terminal shows and a file holds is
// the platform's text: UTF-8 on Linux, the ANSI code page on Windows, where
// the bytes stay as they are.

#include <optional>
#include <string>
#include <string_view>

enum class TextEncoding { Ansi, Utf8 };

#ifdef _WIN32
constexpr TextEncoding kPlatformText = TextEncoding::Ansi;
#else
constexpr TextEncoding kPlatformText = TextEncoding::Utf8;
#endif

// A name as a command prints it: bytes below 0x20, 0x7F and the backslash as
// \xHH, so that a name never breaks a line or a field; in UTF-8 the other
// bytes decoded from Windows-1251, and the byte that has no character there
// (0x98) as \xHH too.
std::string NameText(std::string_view name, TextEncoding encoding = kPlatformText);

// The same in quotes, as messages name a chunk: "crate".
std::string QuotedName(std::string_view name, TextEncoding encoding = kPlatformText);

// The bytes of a name written as NameText writes it: \xHH is that byte (the
// digits in either case); in UTF-8 each character is its Windows-1251 byte,
// and bytes that are no UTF-8 are taken as they stand. Nullopt, with the
// reason, for a backslash that starts no \xHH and a character that
// Windows-1251 has no byte for.
std::optional<std::string> NameBytes(std::string_view text, std::string& error, TextEncoding encoding = kPlatformText);

// One of the scene model's messages held in Windows-1251 (the Cyrillic ones),
// as the platform's text.
std::string MessageText(std::string_view message, TextEncoding encoding = kPlatformText);

// A file name that the platform gave or takes, fit to print: bytes below
// 0x20, 0x7F, the backslash and, in UTF-8, bytes that are no UTF-8 as \xHH.
std::string FileNameText(std::string_view fileName, TextEncoding encoding = kPlatformText);

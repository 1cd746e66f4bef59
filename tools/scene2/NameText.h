#pragma once
// Names as a command prints them and takes them back. A name is bytes in the
// game's code page, Windows-1251; what a command prints and takes is UTF-8 on
// every platform (on Windows the arguments come in as UTF-16 and a console is
// written in UTF-16, see main.cpp).

#include <optional>
#include <string>
#include <string_view>

#include "scene/PrintedName.h"

// The bytes of a name written as NameText writes it: \xHH is that byte (the
// digits in either case), each character its Windows-1251 byte, and bytes
// that are no UTF-8 are taken as they stand. Nullopt, with the reason, for a
// backslash that starts no \xHH and a character that Windows-1251 has no
// byte for.
std::optional<std::string> NameBytes(std::string_view text, std::string& error);

// The bytes of a text that JSON gave decoded, as WriteWindows1251 writes it:
// each character its Windows-1251 byte, a backslash a backslash. Nullopt,
// with the reason, for a character that Windows-1251 has no byte for.
std::optional<std::string> TextBytes(std::string_view text, std::string& error);

// The bytes of hexadecimal digits, two a byte, as HexUpperBytes writes them;
// nullopt for anything else.
std::optional<std::string> HexBytes(std::string_view hex);

// A file name that the system gave or takes, fit to print: bytes below 0x20,
// 0x7F, the backslash and bytes that are no UTF-8 as \xHH.
std::string FileNameText(std::string_view fileName);

#pragma once
// A name fit to print on a line: a name is bytes in the game's code page,
// Windows-1251, and what the command line prints and the editor's chunk view
// shows is UTF-8.

#include <string>
#include <string_view>

// A name as a command prints it: bytes below 0x20, 0x7F and the backslash as
// \xHH, so that a name never breaks a line or a field; the other bytes
// decoded from Windows-1251, and the byte that has no character there (0x98)
// as \xHH too.
std::string NameText(std::string_view name);

// The same in quotes, as messages name a chunk: "crate".
std::string QuotedName(std::string_view name);

// A name as the editor shows it, beside the tree that shows names as their
// characters: a backslash is a backslash, as nothing reads the text back;
// only the bytes that no window can show as a character (below 0x20, 0x7F,
// and 0x98, which has none) as \xHH.
std::string ShownText(std::string_view name);

// The bytes that NameText writes as \xHH whatever they decode to, as that.
bool BreaksText(unsigned char byte);
// The bytes that no window shows as a character, which ShownText writes as
// \xHH: BreaksText's but the backslash.
bool Unshowable(unsigned char byte);
std::string Escape(unsigned char byte);

#pragma once
// * and ? in what a command takes: file names (FileArguments.h) and chunk
// names, which set takes to act on many chunks at once.

#include <string_view>

// Whether the text holds * or ?.
bool HasWildcard(std::string_view text);

// Whether `text` matches `pattern`: * any run, ? any one character, every
// other byte itself. A character is one byte of a chunk's name (Windows-1251)
// and, with `utf8`, a whole UTF-8 character of a file name.
bool MatchesWildcards(std::string_view text, std::string_view pattern, bool utf8);

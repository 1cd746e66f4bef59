#pragma once
// Windows: the program's arguments, which the system holds in UTF-16, as the
// UTF-8 that the rest of scene2 takes.

#include <string>
#include <vector>

// The arguments after the program's own name.
std::vector<std::string> Utf8Arguments(int argc, wchar_t** argv);

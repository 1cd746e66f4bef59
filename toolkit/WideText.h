#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace toolkit {

// Text between the program's bytes and the wide APIs' UTF-16. Paths are
// bytes of the ANSI code page (CP_ACP) in the program, as the file APIs that
// it calls take them.
std::wstring Widen(std::string_view bytes, UINT codePage);
std::string Narrow(std::wstring_view wide, UINT codePage);

}  // namespace toolkit

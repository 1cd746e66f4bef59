#pragma once
// Windows: standard output or standard error that is a console takes the
// program's text, UTF-8, through the wide console API. Written as bytes, the
// console would read them in its own code page (the OEM one, 866 or 437) and
// garble every name beyond ASCII. A file or a pipe gets the UTF-8 bytes, as on
// Linux.

#include <windows.h>

#include <memory>
#include <streambuf>

// A stream buffer that writes to the console that `standardHandle`
// (STD_OUTPUT_HANDLE, STD_ERROR_HANDLE) is; null when it is none (a file, a
// pipe), where the bytes go as they are.
std::unique_ptr<std::streambuf> NewConsoleBuffer(DWORD standardHandle);

// The same for a console handle of one's own.
std::unique_ptr<std::streambuf> NewConsoleBuffer(HANDLE console);

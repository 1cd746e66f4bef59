#pragma once
// Text to a console window on Windows: it takes UTF-16, whatever its code
// page, so every character shows.

#include <windows.h>

#include <string_view>

namespace os {

// Writes UTF-8 `text` to `console`, a console's output handle, in as many
// calls as it takes; false when one fails or writes nothing.
bool WriteConsoleText(HANDLE console, std::string_view text);

}  // namespace os

#include "os/ConsoleText.h"

#include <string>

#include "os/WideText.h"

namespace os {

bool WriteConsoleText(HANDLE console, std::string_view text) {
  const std::wstring wide = Widen(text);
  for (std::wstring_view left = wide; !left.empty();) {
    DWORD written = 0;
    if (!WriteConsoleW(console, left.data(), static_cast<DWORD>(left.size()), &written, nullptr) || written == 0)
      return false;
    left.remove_prefix(written);
  }
  return true;
}

}  // namespace os

#include <windows.h>

#include <algorithm>

#include "os/StandardStreams.h"
#include "os/Win32Error.h"

namespace os {

namespace {

// Null when the process has no such stream.
HANDLE HandleOf(StandardStream stream) {
  const HANDLE handle = GetStdHandle(stream == StandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
  return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

}  // namespace

Status WriteStandard(StandardStream stream, std::string_view bytes) {
  const HANDLE handle = HandleOf(stream);
  if (handle == nullptr) return Done{};
  while (!bytes.empty()) {
    DWORD written = 0;
    const auto piece = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1 << 20));
    if (!WriteFile(handle, bytes.data(), piece, &written, nullptr)) {
      const DWORD code = GetLastError();
      return Failure{.reason = Win32ErrorText(code), .pipeClosed = code == ERROR_NO_DATA || code == ERROR_BROKEN_PIPE};
    }
    bytes.remove_prefix(written);
  }
  return Done{};
}

bool IsTerminal(StandardStream stream) {
  const HANDLE handle = HandleOf(stream);
  DWORD mode = 0;
  return handle != nullptr && GetConsoleMode(handle, &mode);
}

}  // namespace os

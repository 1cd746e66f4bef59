#include <windows.h>

#include <algorithm>

#include "os/StandardStreams.h"
#include "os/Win32Error.h"

namespace os {

Status WriteStandard(StandardStream stream, std::string_view bytes) {
  const HANDLE handle = GetStdHandle(stream == StandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return Done{};
  while (!bytes.empty()) {
    DWORD written = 0;
    const auto piece = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1 << 20));
    if (!WriteFile(handle, bytes.data(), piece, &written, nullptr)) {
      const DWORD code = GetLastError();
      return Failure{.reason = Win32ErrorText(code),
                     .pipeClosed = code == ERROR_NO_DATA || code == ERROR_BROKEN_PIPE};
    }
    bytes.remove_prefix(written);
  }
  return Done{};
}

}  // namespace os

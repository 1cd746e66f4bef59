#include "os/LinksWin32.h"

#include <winioctl.h>

#include <cstring>
#include <vector>

#include "os/Paths.h"
#include "os/WideText.h"

namespace os {
namespace {

// What FSCTL_GET_REPARSE_POINT gives for a symbolic link; the SDK keeps the
// structure to drivers.
struct SymbolicLinkReparse {
  DWORD tag;
  WORD dataLength;
  WORD reserved;
  WORD substituteOffset;
  WORD substituteLength;
  WORD printOffset;
  WORD printLength;
  DWORD flags;
  // The names follow, in UTF-16.
};
constexpr DWORD kRelativeLink = 1;

// "\\?\C:\x" and "\\?\UNC\server\share\x" as the plain forms "C:\x" and
// "\\server\share\x", which every function takes below MAX_PATH.
std::string WithoutLongPrefix(const std::string& path) {
  if (path.starts_with("\\\\?\\UNC\\")) return "\\\\" + path.substr(8);
  if (path.starts_with("\\\\?\\") || path.starts_with("\\??\\")) return path.substr(4);
  return path;
}

}  // namespace

std::string FinalPathOf(HANDLE handle) {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetFinalPathNameByHandleW(handle, buffer.data(), static_cast<DWORD>(buffer.size()),
                                                   FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0) return "";
    if (length < buffer.size()) return WithoutLongPrefix(Narrow({buffer.data(), length}));
    buffer.resize(length + 1);
  }
}

std::string FullPathOf(const std::string& path) {
  const std::wstring wide = Widen(path);
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (length == 0) return path;
    if (length < buffer.size()) return Narrow({buffer.data(), length});
    buffer.resize(length);
  }
}

std::string SymbolicLinkTarget(const std::string& path) {
  const std::wstring wide = Widen(path);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return "";
  HANDLE link = CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (link == INVALID_HANDLE_VALUE) return "";
  std::vector<BYTE> data(MAXIMUM_REPARSE_DATA_BUFFER_SIZE);
  DWORD got = 0;
  const bool read = DeviceIoControl(link, FSCTL_GET_REPARSE_POINT, nullptr, 0, data.data(),
                                    static_cast<DWORD>(data.size()), &got, nullptr);
  CloseHandle(link);
  SymbolicLinkReparse header{};
  if (!read || got < sizeof header) return "";
  std::memcpy(&header, data.data(), sizeof header);
  if (header.tag != IO_REPARSE_TAG_SYMLINK) return "";
  // Both names lie after the header; the print name has no "\??\".
  const bool usePrint = header.printLength > 0;
  const size_t offset = sizeof header + (usePrint ? header.printOffset : header.substituteOffset);
  const size_t bytes = usePrint ? header.printLength : header.substituteLength;
  if (offset > got || bytes > got - offset) return "";
  std::wstring name(bytes / sizeof(wchar_t), L'\0');
  std::memcpy(name.data(), data.data() + offset, name.size() * sizeof(wchar_t));
  const std::string target = WithoutLongPrefix(Narrow(name));
  return (header.flags & kRelativeLink) ? FolderOf(path) + target : target;
}

}  // namespace os

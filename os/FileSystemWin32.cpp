#include <windows.h>

#include "os/FileSystem.h"

namespace os {
namespace {

std::string LastErrorText() {
  char text[512] = {};
  const DWORD code = GetLastError();
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                      text, sizeof text, nullptr);
  std::string result(text, length);
  while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' ')) result.pop_back();
  return result.empty() ? "system error " + std::to_string(code) : result;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

bool MoveReplacing(const std::string& source, const std::string& target, std::string& error) {
  if (MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
  error = LastErrorText();
  return false;
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateFolders(const std::string& folder, std::string& error) {
  // Walk down from the root so that each missing level is made in turn; a drive
  // ("C:") or a share's server part is never created, only tested at the end.
  for (size_t end = 1; end <= folder.size(); ++end) {
    if (end < folder.size() && !IsSeparator(folder[end])) continue;
    const std::string level = folder.substr(0, end);
    if (level.back() == ':' || IsFolder(level)) continue;
    if (!CreateDirectoryA(level.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS &&
        GetLastError() != ERROR_ACCESS_DENIED) {
      error = level + ": " + LastErrorText();
      return false;
    }
  }
  if (IsFolder(folder)) return true;
  error = folder + ": not a folder";
  return false;
}

}  // namespace os

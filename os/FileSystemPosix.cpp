#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "os/FileSystem.h"

namespace os {

bool MoveReplacing(const std::string& source, const std::string& target, std::string& error) {
  if (std::rename(source.c_str(), target.c_str()) == 0) return true;
  error = std::strerror(errno);
  return false;
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool CreateFolders(const std::string& folder, std::string& error) {
  // Walk down from the root so that each missing level is made in turn.
  for (size_t end = 1; end <= folder.size(); ++end) {
    if (end < folder.size() && folder[end] != '/') continue;
    const std::string level = folder.substr(0, end);
    if (IsFolder(level)) continue;
    if (mkdir(level.c_str(), 0777) != 0 && errno != EEXIST) {
      error = level + ": " + std::strerror(errno);
      return false;
    }
  }
  if (IsFolder(folder)) return true;
  error = folder + ": not a folder";
  return false;
}

}  // namespace os

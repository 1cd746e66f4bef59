// Creating a folder with its missing parents, the same walk on every platform.

#include "os/FileSystem.h"
#include "os/MakeFolder.h"
#include "os/Paths.h"

namespace os {

Status CreateFolders(const std::string& folder) {
  // Walk down from below the root (a drive or a share is never made) so that
  // each missing level is made in turn.
  for (size_t end = RootLength(folder) + 1; end <= folder.size(); ++end) {
    if (end < folder.size() && !IsSeparator(folder[end])) continue;
    const std::string level = folder.substr(0, end);
    if (IsSeparator(level.back()) || IsFolder(level)) continue;
    if (Status made = MakeFolder(level); !made.ok()) return Failure{level + ": " + made.reason()};
  }
  if (IsFolder(folder)) return Done{};
  return Failure{folder + ": not a folder"};
}

}  // namespace os

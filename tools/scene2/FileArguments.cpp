#include "tools/scene2/FileArguments.h"

#include <algorithm>

#include "os/FileSystem.h"
#include "os/Paths.h"
#include "scene/DncExport.h"
#include "tools/scene2/Wildcards.h"

namespace {

// The files in `folder` (ending with a separator, or empty) whose names
// `keep` accepts, as paths, by name.
os::Failure Refused(const std::string& argument, const std::string& reason) { return {argument + ": " + reason}; }

template <typename Keep>
os::Result<std::vector<std::string>> FilesIn(const std::string& folder, const std::string& argument, Keep keep) {
  // The current folder for a bare pattern.
  os::Result<std::vector<std::string>> names = os::ListFolder(folder.empty() ? os::WithSeparator(".") : folder);
  if (!names.ok()) return Refused(argument, names.reason());
  std::vector<std::string> kept;
  for (const std::string& name : names.value())
    if (keep(name) && !os::IsFolder(folder + name)) kept.push_back(name);
  std::sort(kept.begin(), kept.end(),
            [](const std::string& a, const std::string& b) { return FoldedFileName(a) < FoldedFileName(b); });
  for (std::string& name : kept) name = folder + name;
  return kept;
}

}  // namespace

bool MatchesWildcard(std::string_view unfoldedName, std::string_view unfoldedPattern) {
  // Case is ignored as Windows ignores it in file names.
  return MatchesWildcards(FoldedFileName(unfoldedName), FoldedFileName(unfoldedPattern), true);
}

os::Result<std::vector<std::string>> ExpandFileArguments(const std::vector<std::string>& arguments,
                                                         std::string_view extension) {
  std::vector<std::string> files;
  for (const std::string& argument : arguments) {
    if (!os::IsFolder(argument) && !HasWildcard(argument)) {
      files.push_back(argument);
      continue;
    }
    os::Result<std::vector<std::string>> found{std::vector<std::string>{}};
    std::string none;
    if (os::IsFolder(argument)) {
      found = FilesIn(os::WithSeparator(argument), argument, [extension](const std::string& name) {
        return name.size() > extension.size() &&
               FoldedFileName(name.substr(name.size() - extension.size())) == FoldedFileName(std::string(extension));
      });
      none = "no " + std::string(extension) + " file in it";
    } else {
      const std::string folder = os::FolderOf(argument);
      const std::string pattern = argument.substr(folder.size());
      found = FilesIn(folder, argument, [&pattern](const std::string& name) { return MatchesWildcard(name, pattern); });
      none = "no file matches it";
    }
    if (!found.ok()) return found.failure();
    if (found.value().empty()) return Refused(argument, none);
    files.insert(files.end(), found.value().begin(), found.value().end());
  }
  return files;
}

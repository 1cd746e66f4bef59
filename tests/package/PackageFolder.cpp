#include "tests/package/PackageFolder.h"

#include "toolkit/ShellPaths.h"
#include "tools/gui/ToolProcess.h"

std::string PackagePath(const std::string& name) {
  // Taken in UTF-16: the folder's path holds an accented letter.
  static const std::string folder = HostPath(toolkit::CommandLineArguments().at(0));
  return folder + "\\" + name;
}

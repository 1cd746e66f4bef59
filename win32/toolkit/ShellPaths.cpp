#include "toolkit/ShellPaths.h"

#include "os/WideText.h"

namespace toolkit {

std::vector<std::string> CommandLineArguments() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr) return {};
  std::vector<std::string> paths;
  for (int index = 1; index < count; ++index) paths.push_back(os::Narrow(arguments[index]));
  LocalFree(arguments);
  return paths;
}

std::vector<std::string> DroppedPaths(HDROP drop) {
  std::vector<std::string> paths;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT index = 0; index < count; ++index) {
    std::wstring path(DragQueryFileW(drop, index, nullptr, 0), L'\0');
    DragQueryFileW(drop, index, path.data(), static_cast<UINT>(path.size() + 1));
    paths.push_back(os::Narrow(path));
  }
  return paths;
}

}  // namespace toolkit

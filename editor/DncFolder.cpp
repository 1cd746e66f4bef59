#include "editor/DncFolder.h"

#include <windows.h>

#include <vector>

std::string ProgramDncFolder() {
  std::vector<char> path(MAX_PATH);
  DWORD length = 0;
  // A path longer than the buffer comes back cut short: grow and ask again.
  while ((length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()))) == path.size())
    path.resize(path.size() * 2);
  const std::string program(path.data(), length);
  return program.substr(0, program.find_last_of('\\') + 1) + "DNCes\\";
}

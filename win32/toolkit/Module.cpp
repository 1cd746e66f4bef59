#include "toolkit/Module.h"

#include <commctrl.h>

#include <vector>

#include "os/WideText.h"

// The linker's symbol for the start of the image that holds this code.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace toolkit {

HINSTANCE ModuleInstance() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

std::string ProgramFolder() {
  std::vector<wchar_t> path(MAX_PATH);
  DWORD length = 0;
  // A path longer than the buffer comes back cut short: grow and ask again.
  while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) == path.size())
    path.resize(path.size() * 2);
  const std::string program = os::Narrow({path.data(), length});
  return program.substr(0, program.find_last_of('\\') + 1);
}

void EnsureCommonControls() {
  static const bool loaded = [] {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    return InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)loaded;
}

int NextControlId() {
  static int next = 100;
  return next++;
}

}  // namespace toolkit

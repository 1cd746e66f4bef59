#include "toolkit/Module.h"

#include <commctrl.h>

// The linker's symbol for the start of the image that holds this code.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace toolkit {

HINSTANCE ModuleInstance() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

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

#include "toolkit/WindowClass.h"

#include <stdexcept>
#include <string>

#include "os/WideText.h"
#include "os/Win32Error.h"
#include "toolkit/Module.h"

namespace toolkit {

WindowClass::WindowClass(WNDCLASSEXW description) : name_(description.lpszClassName) {
  description.cbSize = sizeof description;
  description.hInstance = ModuleInstance();
  if (RegisterClassExW(&description) == 0) {
    const std::string name = os::Narrow(name_);
    throw std::runtime_error("The window class " + name +
                             " could not be registered: " + os::Win32ErrorText(GetLastError(), name));
  }
}

WindowClass::~WindowClass() { UnregisterClassW(name_, ModuleInstance()); }

}  // namespace toolkit

#pragma once

#include <windows.h>

namespace toolkit {

// A window class of the module that the toolkit is linked into, registered
// for as long as the object lives. Kept in a function's static, it is
// registered on first use and unregistered when the module goes, so that a
// plug-in loaded again registers its class anew.
class WindowClass {
 public:
  // Registers `description` with the module's instance. Raises
  // std::runtime_error, naming the class and the system's reason, when that
  // fails: among other reasons when the module already holds a class of
  // that name (left by an earlier load whose window outlived it, its
  // procedure perhaps gone), so that no window is made of a class not ours.
  // A static whose construction raised is tried again on its next use.
  explicit WindowClass(WNDCLASSEXW description);
  ~WindowClass();
  WindowClass(const WindowClass&) = delete;
  WindowClass& operator=(const WindowClass&) = delete;

  const wchar_t* Name() const { return name_; }

 private:
  const wchar_t* name_;
};

}  // namespace toolkit

#include "tools/gui/FileDialogs.h"

// After <windows.h>, which it needs.
#include <dlgs.h>

#include <algorithm>

#include "os/WideText.h"

HWND FileNameField(HWND dialog) {
  HWND field = GetDlgItem(dialog, cmb13);
  return field != nullptr ? field : GetDlgItem(dialog, edt1);
}

void ChooseFile(HWND dialog, const std::string& path) {
  SetWindowTextW(FileNameField(dialog), os::Widen(path).c_str());
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

void CancelDialog(HWND dialog) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
}

std::string WindowsPath(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

std::string HostPath(const std::string& path) {
  const std::string windows = WindowsPath(!path.empty() && path[0] == '/' ? "Z:" + path : path);
  wchar_t full[MAX_PATH] = {};
  const DWORD length = GetFullPathNameW(os::Widen(windows).c_str(), MAX_PATH, full, nullptr);
  return length > 0 && length < MAX_PATH ? os::Narrow(full) : windows;
}

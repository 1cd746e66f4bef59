#include "toolkit/FileDialog.h"

#include <commdlg.h>

#include <algorithm>
#include <cwchar>
#include <vector>

#include "os/Paths.h"
#include "os/WideText.h"

namespace toolkit {

std::wstring Win32Filter(const std::string& filter) {
  std::wstring zeroed = os::Widen(filter);
  std::replace(zeroed.begin(), zeroed.end(), L'|', L'\0');
  return zeroed + std::wstring(2, L'\0');
}

std::vector<std::string> ChosenPaths(const wchar_t* selection) {
  const std::wstring first = selection;
  const wchar_t* next = selection + first.size() + 1;
  if (*next == L'\0') return {os::Narrow(first)};
  const std::string folder = os::Narrow(first.ends_with(L'\\') ? first : first + L'\\');
  std::vector<std::string> paths;
  for (; *next != L'\0'; next += std::wcslen(next) + 1) paths.push_back(folder + os::Narrow(next));
  return paths;
}

bool FileDialog::Execute(HWND owner, FileDialogMode mode) {
  const std::wstring filter = Win32Filter(args_.filter);
  // Room for many names when several may be chosen.
  std::vector<wchar_t> file(args_.allowMultiple ? 1 << 20 : 32768, L'\0');
  // The name chosen before is offered again in its own folder, whatever
  // folder another dialog was in last; several start afresh in the folder.
  const std::string before = args_.allowMultiple ? kNone : FileName();
  const std::string chosenFolder = os::FolderOf(before);
  const std::wstring fileName = os::Widen(before.substr(chosenFolder.size()));
  std::copy_n(fileName.begin(), std::min(fileName.size(), file.size() - 1), file.begin());
  const std::wstring defaultExtension = os::Widen(args_.defaultExtension);
  const std::wstring initialFolder = os::Widen(chosenFolder.empty() ? args_.initialFolder : chosenFolder);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrDefExt = defaultExtension.empty() ? nullptr : defaultExtension.c_str();
  dialog.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
  // A save creates the file: "must exist" is for opening only.
  const bool mustExist = args_.fileMustExist && mode == FileDialogMode::Open;
  // The program's current folder stays where it started: a name given
  // relative to it keeps naming the same file.
  dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_NOCHANGEDIR | (mustExist ? OFN_FILEMUSTEXIST : 0) |
                 (args_.pathMustExist ? OFN_PATHMUSTEXIST : 0) | (args_.overwritePrompt ? OFN_OVERWRITEPROMPT : 0) |
                 (args_.hideReadOnly ? OFN_HIDEREADONLY : 0) | (args_.allowMultiple ? OFN_ALLOWMULTISELECT : 0);
  const BOOL chosen = mode == FileDialogMode::Open ? GetOpenFileNameW(&dialog) : GetSaveFileNameW(&dialog);
  if (!chosen) return false;
  fileNames_ = args_.allowMultiple ? ChosenPaths(file.data()) : std::vector<std::string>{os::Narrow(file.data())};
  return true;
}

}  // namespace toolkit

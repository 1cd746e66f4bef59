#include "toolkit/FileDialog.h"

#include <commdlg.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace toolkit {

std::string Win32Filter(const std::string& filter) {
  std::string zeroed = filter;
  std::replace(zeroed.begin(), zeroed.end(), '|', '\0');
  return zeroed + std::string(2, '\0');
}

std::vector<std::string> ChosenPaths(const char* selection) {
  const std::string first = selection;
  const char* next = selection + first.size() + 1;
  if (*next == '\0') return {first};
  const std::string folder = first.ends_with('\\') ? first : first + '\\';
  std::vector<std::string> paths;
  for (; *next != '\0'; next += std::strlen(next) + 1) paths.push_back(folder + next);
  return paths;
}

bool FileDialog::Execute(HWND owner, FileDialogMode mode) {
  const std::string filter = Win32Filter(args_.filter);
  // Room for many names when several may be chosen.
  std::vector<char> file(args_.allowMultiple ? 1 << 20 : 32768, '\0');
  // The name chosen before is offered again; several start afresh in the folder.
  const std::string& fileName = args_.allowMultiple ? kNone : FileName();
  std::copy_n(fileName.begin(), std::min(fileName.size(), file.size() - 1), file.begin());
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrDefExt = args_.defaultExtension.empty() ? nullptr : args_.defaultExtension.c_str();
  dialog.lpstrInitialDir = args_.initialFolder.empty() ? nullptr : args_.initialFolder.c_str();
  // A save creates the file: "must exist" is for opening only.
  const bool mustExist = args_.fileMustExist && mode == FileDialogMode::Open;
  dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | (mustExist ? OFN_FILEMUSTEXIST : 0) |
                 (args_.pathMustExist ? OFN_PATHMUSTEXIST : 0) | (args_.overwritePrompt ? OFN_OVERWRITEPROMPT : 0) |
                 (args_.hideReadOnly ? OFN_HIDEREADONLY : 0) | (args_.allowMultiple ? OFN_ALLOWMULTISELECT : 0);
  const BOOL chosen = mode == FileDialogMode::Open ? GetOpenFileNameA(&dialog) : GetSaveFileNameA(&dialog);
  if (!chosen) return false;
  fileNames_ = args_.allowMultiple ? ChosenPaths(file.data()) : std::vector<std::string>{file.data()};
  return true;
}

}  // namespace toolkit

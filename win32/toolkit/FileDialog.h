#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace toolkit {

struct FileDialogArgs {
  // Pairs of description and pattern, all separated by "|":
  // "text files|*.txt|all files|*".
  std::string filter{};
  std::string defaultExtension{};
  bool fileMustExist = false;  // when opening; a save makes the file
  bool pathMustExist = false;
  bool overwritePrompt = false;
  bool hideReadOnly = false;
  // Open mode: several files may be chosen at once.
  bool allowMultiple = false;
  // Where the dialog starts when no name was chosen before; empty for the
  // system's choice.
  std::string initialFolder{};
};

enum class FileDialogMode { Open, Save };

// The common open and save dialog, with the same options in both modes. It
// keeps the name last chosen and offers it again.
class FileDialog {
 public:
  explicit FileDialog(FileDialogArgs args) : args_(std::move(args)) {}

  // True when the user chose a file; FileName() then gives it, and
  // FileNames() every file chosen. Cancelling leaves the names chosen before.
  bool Execute(HWND owner, FileDialogMode mode);
  const std::string& FileName() const { return fileNames_.empty() ? kNone : fileNames_.front(); }
  const std::vector<std::string>& FileNames() const { return fileNames_; }
  // The name offered next, as if the user had chosen it.
  void SetFileName(const std::string& path) { fileNames_ = {path}; }

 private:
  static inline const std::string kNone;
  FileDialogArgs args_;
  std::vector<std::string> fileNames_;
};

// The paths in what a dialog that allows several files gives back: one path,
// or a folder and the names in it, each ended by a zero, then a second zero.
std::vector<std::string> ChosenPaths(const wchar_t* selection);

// The filter as the dialog takes it: each "|" a zero, two at the end.
std::wstring Win32Filter(const std::string& filter);

}  // namespace toolkit

#pragma once

#include <windows.h>

#include <string>

namespace toolkit {

struct FileDialogArgs {
  // Pairs of description and pattern, all separated by "|":
  // "text files|*.txt|all files|*".
  std::string filter{};
  std::string defaultExtension{};
  bool fileMustExist = false;
  bool pathMustExist = false;
  bool overwritePrompt = false;
  bool hideReadOnly = false;
};

enum class FileDialogMode { Open, Save };

// The common open and save dialog, with the same options in both modes. It
// keeps the name last chosen and offers it again.
class FileDialog {
 public:
  explicit FileDialog(FileDialogArgs args) : args_(std::move(args)) {}

  // True when the user chose a file; FileName() then gives it. Cancelling
  // leaves the name chosen before.
  bool Execute(HWND owner, FileDialogMode mode);
  const std::string& FileName() const { return fileName_; }

 private:
  FileDialogArgs args_;
  std::string fileName_;
};

// The filter as the dialog takes it: each "|" a zero byte, two at the end.
std::string Win32Filter(const std::string& filter);

}  // namespace toolkit

// The "File" menu: open, save, save as; and a scene given on the command
// line or dropped on the window.
#include "editor/Form1.h"
#include "toolkit/WaitCursor.h"

void TForm1::OpenScene() {
  if (fileDialog_.Execute(hwnd_, toolkit::FileDialogMode::Open)) {
    OpenSceneFile(fileDialog_.FileName());
    return;
  }
  // Cancelled: the tree is built again from the same document all the same.
  toolkit::WaitCursor waiting;
  FillTree();
}

void TForm1::OpenSceneFile(const std::string& path) {
  toolkit::WaitCursor waiting;
  fileDialog_.SetFileName(path);
  // A file that did not load whole must not be overwritten by a plain
  // "save" with the part that was read.
  const bool loaded = document_->ReadFromFile(path);
  currentFile_ = loaded ? path : std::string();
  FillTree();
}

void TForm1::OpenGivenFile(const std::string& path) {
  Command(this, [this, path] { OpenSceneFile(path); })();
}

void TForm1::OnFilesDropped(const std::vector<std::string>& paths) {
  // The editor holds one scene: the first file dropped.
  if (!paths.empty()) OpenGivenFile(paths.front());
}

void TForm1::SaveScene() {
  if (currentFile_.empty())
    SaveSceneAs();
  else
    WriteScene(currentFile_);
}

void TForm1::SaveSceneAs() {
  if (!fileDialog_.Execute(hwnd_, toolkit::FileDialogMode::Save)) return;
  // The name chosen is the one "save" writes to next, whether or not this
  // write works: never the file opened before, which the user chose to keep.
  currentFile_ = fileDialog_.FileName();
  WriteScene(currentFile_);
}

void TForm1::WriteScene(const std::string& fileName) {
  toolkit::WaitCursor waiting;
  document_->WriteToFile(fileName);
}

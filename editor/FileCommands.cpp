// The "File" menu: open, save, save as.
#include "editor/Form1.h"
#include "toolkit/WaitCursor.h"

void TForm1::OpenScene() {
  const bool chosen = fileDialog_.Execute(hwnd_, toolkit::FileDialogMode::Open);
  toolkit::WaitCursor waiting;
  if (chosen) {
    // A file that did not load whole must not be overwritten by a plain
    // "save" with the part that was read.
    const bool loaded = document_->ReadFromFile(fileDialog_.FileName());
    currentFile_ = loaded ? fileDialog_.FileName() : std::string();
  }
  FillTree();
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

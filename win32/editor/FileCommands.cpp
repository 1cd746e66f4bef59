// The "File" menu: open, save, save as; a scene given on the command line or
// dropped on the window; and the question before unsaved changes are dropped.
#include "editing/StatusText.h"
#include "editor/Form1.h"
#include "os/Paths.h"
#include "toolkit/MessageBox.h"
#include "toolkit/WaitCursor.h"

void TForm1::OpenScene() {
  if (!SaveChangesFirst()) return;
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
  ShowLoaded(document_->Core().Load(path), path);
}

void TForm1::ShowLoaded(const Outcome<Done>& loaded, const std::string& path) {
  fileDialog_.SetFileName(path);
  // A file that did not load whole must not be overwritten by a plain
  // "save" with the part that was read.
  currentFile_ = loaded.ok() ? path : std::string();
  loadFailure_ = loaded.ok() ? std::string() : "Cannot load " + path + ":\n" + loaded.failure().message;
  ReportOutcome(loaded.ok() ? OpenedStatus(FileName(), SectionChunkCount(document_->Core()))
                            : OpenFailedStatus(ShownFileName(path)));
  // A load starts a new history.
  treeFollower_.Forget();
  workedOn_.clear();
  FillTree();
}

void TForm1::OpenGivenFile(const std::string& path) {
  Command(this, [this, path] {
    if (SaveChangesFirst()) OpenSceneFile(path);
  })();
}

void TForm1::OnFilesDropped(const std::vector<std::string>& paths) {
  // The editor holds one scene: the first file dropped.
  if (!paths.empty()) OpenGivenFile(paths.front());
}

void TForm1::SaveScene() {
  if (currentFile_.empty())
    SaveSceneAs();
  else
    WriteScene();
}

void TForm1::SaveSceneAs() {
  if (ChooseSaveName()) WriteScene();
}

bool TForm1::ChooseSaveName() {
  if (!fileDialog_.Execute(hwnd_, toolkit::FileDialogMode::Save)) return false;
  // The name chosen is the one "save" writes to next, whether or not this
  // write works: never the file opened before, which the user chose to keep.
  currentFile_ = fileDialog_.FileName();
  return true;
}

bool TForm1::WriteScene() {
  const Outcome<Done> written = [this] {
    toolkit::WaitCursor waiting;
    return document_->Core().Save(currentFile_);
  }();
  // The user asked for this save, by a menu, a key or the question before
  // a close: its failure shows, and the scene stays as it is.
  ReportOutcome(written.ok() ? SavedStatus(FileName()) : SaveFailedStatus(FileName()));
  if (!written.ok()) ShowError("Cannot save " + currentFile_ + ": " + written.failure().reason);
  return written.ok();
}

bool TForm1::SaveChangesFirst() {
  if (!document_->Core().Modified()) return true;
  const std::string name = currentFile_.empty() ? "the scene" : currentFile_.substr(os::FolderOf(currentFile_).size());
  switch (toolkit::ShowMessageBox(hwnd_, "Save changes to " + name + "?", caption_, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
      break;
    case IDNO:
      recovery_.Forget();
      return true;
    default:
      return false;
  }
  // A save that failed has shown why; nothing is dropped then.
  return (!currentFile_.empty() || ChooseSaveName()) && WriteScene();
}

void TForm1::OnClose() {
  // A close asked for while the question is up waits for its answer.
  CommandScope asking(*this);
  if (SaveChangesFirst()) DestroyWindow(hwnd_);
}

// Unsaved changes kept through an editor that ends without asking (a
// crash, a kill, the console closed): the recovery file follows each
// command, and at start the files that ended editors left are offered.
#include "editing/RecoveryFile.h"
#include "editor/Form1.h"
#include "scene/FileStream.h"
#include "scene/Trace.h"
#include "scene/Windows1251.h"
#include "toolkit/MessageBox.h"
#include "toolkit/WaitCursor.h"

namespace {

std::string RecoveryQuestion(const std::string& owner) {
  const std::string changes = owner.empty() ? "a scene that was never saved" : owner;
  return "An editor ended without saving its changes to\n" + changes +
         "\nbut kept them.\n\nOpen them now, as unsaved changes to that " + (owner.empty() ? "scene" : "file") +
         "?\n\nYes: open them.\nNo: discard them.\nCancel: keep them for the next start.";
}

}  // namespace

void TForm1::FollowRecovery() {
  if (!document_) return;  // the window is going
  recovery_.Follow(document_->Core(), currentFile_);
  // Editing goes on without it; the trace says so once.
  if (const std::string failure = recovery_.TakeFailure(); !failure.empty())
    Trace(Windows1251FromUtf8("Cannot keep the unsaved changes in a recovery file: " + failure));
}

void TForm1::RecoverLeftScenes() {
  Command(this, [this] {
    for (const std::string& left : recovery_.LeftFiles()) {
      os::Result<std::unique_ptr<TFileStream>> opened = TFileStream::OpenRead(left);
      if (!opened.ok()) continue;
      const os::Result<std::string> owner = ReadRecoveryOwner(*opened.value());
      if (!owner.ok()) {
        // Not ours to remove: the trace says what is in the way.
        Trace(Windows1251FromUtf8(left + ": " + owner.reason()));
        continue;
      }
      switch (
          toolkit::ShowMessageBox(hwnd_, RecoveryQuestion(owner.value()), caption_, MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDYES:
          if (OpenRecovered(left, std::move(opened.value()), owner.value())) return;
          break;
        case IDNO:
          opened.value().reset();
          recovery_.Discard(left);
          break;
        default:
          return;
      }
    }
  })();
}

bool TForm1::OpenRecovered(const std::string& left, std::unique_ptr<TStream> scene, const std::string& owner) {
  toolkit::WaitCursor waiting;
  const Outcome<Done> loaded = document_->Core().Load(*scene);
  scene.reset();  // read whole: the file may move
  if (!loaded.ok()) {
    // The file stays for another try; the editor starts empty.
    document_->Core().clear();
    ShowLoaded(Done{}, std::string());
    ShowError("Cannot open the kept changes in " + left + ": " + loaded.failure().message);
    return false;
  }
  document_->Core().MarkUnsaved();
  recovery_.TakeOver(left, document_->Core(), owner);
  ShowLoaded(loaded, owner);
  return true;
}

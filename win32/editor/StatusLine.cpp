// The caption and the status line: the file worked on, whether it differs
// from its last save, the chunks and the checked ones, and what the last
// command did.
#include "editing/StatusText.h"
#include "editor/Form1.h"

std::string TForm1::FileName() const { return ShownFileName(currentFile_); }

void TForm1::ShowStatus() {
  if (!document_) return;  // the window is going
  const bool modified = document_->Core().Modified();
  SetText(WindowCaption(FileName(), modified));
  statusLine_.SetPartText(0, FileStatus(FileName(), modified));
  statusLine_.SetPartText(1, CountStatus(SectionChunkCount(document_->Core()), CheckedChunkCount(*Nodes().scene2)));
  statusLine_.SetPartText(2, outcome_);
}

void TForm1::ReportOutcome(std::string words) {
  outcome_ = std::move(words);
  ShowStatus();
}

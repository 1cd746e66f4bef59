#pragma once

#include <ostream>
#include <string>

#include "scene/DocumentUi.h"

// The document's dialogs without a window: the text-input dialog answers once
// with a text given in advance, then cancels (as a user does who sees what
// was typed refused), and a message box becomes a line on `messages`.
class ScriptedUi final : public DocumentUi {
 public:
  explicit ScriptedUi(std::ostream& messages) : messages_(messages) {}

  // What the text-input dialog answers next; empty answers as a cancel.
  void SetAnswer(std::string answer) { answer_ = std::move(answer); }

  std::unique_ptr<TStringDialogBase> NewStringDialog() override;
  void ShowMessage(const std::string& text) override;

 private:
  std::ostream& messages_;
  std::string answer_;
};

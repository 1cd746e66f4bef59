#pragma once

#include <string>

#include "scene/DocumentUi.h"

// The document's dialogs for the fuzzer: the text-input dialog answers what it
// was last told to, and message boxes show nothing.
class FuzzUi final : public DocumentUi {
 public:
  // An empty answer is a cancel.
  void SetAnswer(std::string answer) { answer_ = std::move(answer); }

  std::unique_ptr<TOverwriteDialogBase> NewOverwriteDialog() override;
  std::unique_ptr<TStringDialogBase> NewStringDialog() override;
  void ShowMessage(const std::string&) override {}

 private:
  std::string answer_;
};

#include "editor/EditorUi.h"

#include "editor/StringDialog.h"
#include "toolkit/MessageBox.h"

std::unique_ptr<TStringDialogBase> EditorUi::NewStringDialog() {
  return std::make_unique<TStringDialog>(owner_, caption_);
}

void EditorUi::ShowMessage(const std::string& text) { toolkit::ShowMessageBox(owner_, text, caption_, 0); }

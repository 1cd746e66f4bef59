#include "editor/EditorUi.h"

#include "editor/StringDialog.h"
#include "scene/Windows1251.h"
#include "toolkit/MessageBox.h"

std::unique_ptr<TStringDialogBase> EditorUi::NewStringDialog() {
  return std::make_unique<TStringDialog>(owner_, caption_);
}

void EditorUi::ShowMessage(const std::string& text) {
  toolkit::ShowMessageBox(owner_, Utf8FromWindows1251(text), caption_, 0);
}

#include "editor/EditorUi.h"

#include "editor/StringDialog.h"
#include "toolkit/MessageBox.h"

namespace {
constexpr UINT kCyrillicCodePage = 1251;
}

std::unique_ptr<TStringDialogBase> EditorUi::NewStringDialog() { return std::make_unique<TStringDialog>(owner_); }

void EditorUi::ShowMessage(const std::string& text) {
  toolkit::ShowMessageBox(owner_, text, caption_, 0, kCyrillicCodePage);
}

#include "editor/EditorUi.h"

#include "editor/OverwriteDialog.h"
#include "editor/StringDialog.h"
#include "toolkit/MessageBox.h"

namespace {
constexpr UINT kCyrillicCodePage = 1251;
}

std::unique_ptr<TOverwriteDialogBase> EditorUi::NewOverwriteDialog() { return std::make_unique<TOverwriteDialog>(); }

std::unique_ptr<TStringDialogBase> EditorUi::NewStringDialog() { return std::make_unique<TStringDialog>(); }

void EditorUi::ShowMessage(const std::string& text) {
  toolkit::ShowMessageBox(nullptr, text, caption_, 0, kCyrillicCodePage);
}

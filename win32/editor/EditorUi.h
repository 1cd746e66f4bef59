#pragma once

#include <windows.h>

#include <string>

#include "scene/DocumentUi.h"

// The document's dialog and message box as Win32 windows of the editor.
class EditorUi final : public DocumentUi {
 public:
  // `caption` titles the message box: the application's caption. The
  // dialogs and the box belong to `owner`, the main window.
  EditorUi(std::string caption, HWND owner) : caption_(std::move(caption)), owner_(owner) {}

  std::unique_ptr<TStringDialogBase> NewStringDialog() override;
  // The document's messages are Windows-1251 text, Cyrillic among them.
  void ShowMessage(const std::string& text) override;

 private:
  std::string caption_;
  HWND owner_;  // not owned
};

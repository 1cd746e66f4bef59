#pragma once

#include <memory>
#include <string>

// What the scene document needs from the user interface: its text-input
// dialog and the one message box it shows. The editor passes Win32 windows;
// tests and the command line pass scripted answers.

class TStringDialogBase {
 public:
  virtual ~TStringDialogBase() = default;
  // The text entered, or an empty text when the user cancelled. An empty prompt
  // keeps the prompt shown before.
  virtual std::string Execute(const std::string& prompt, const std::string& initial) = 0;
};

class DocumentUi {
 public:
  virtual ~DocumentUi() = default;
  virtual std::unique_ptr<TStringDialogBase> NewStringDialog() = 0;
  // A modal message box with one OK button, titled with the application's
  // caption; the text in UTF-8.
  virtual void ShowMessage(const std::string& text) = 0;
};

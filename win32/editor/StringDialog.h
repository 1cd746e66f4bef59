#pragma once

#include <string>

#include "scene/DocumentUi.h"
#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"

// Asks for one line of text, a name: it takes and gives the name's
// Windows-1251 bytes, and shows and edits their characters. Created hidden
// with the document and shown only while Execute runs.
class TStringDialog final : public toolkit::Form, public TStringDialogBase {
 public:
  static constexpr int kOk = 1;
  static constexpr int kCancel = -1;

  // `boxCaption` titles the box that refuses a character.
  explicit TStringDialog(HWND owner = nullptr, std::string boxCaption = "tool");

  // The text in the field when the user pressed "Ok" (or Enter), or an empty
  // text after "Cancel" (or Escape). An empty prompt leaves the label as it
  // was. The field has the focus, its text selected. A text with a
  // character that has no Windows-1251 byte is refused with a box that names
  // it, and the dialog stays.
  std::string Execute(const std::string& prompt, const std::string& initial) override;

 private:
  void OnClose() override {}  // only the buttons end the dialog

  HWND owner_;  // not owned
  std::string boxCaption_;
  toolkit::Label prompt_;
  toolkit::Edit text_;
  toolkit::Button ok_;
  toolkit::Button cancel_;
};

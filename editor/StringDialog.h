#pragma once

#include <string>

#include "scene/DocumentUi.h"
#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"

// Asks for one line of text. Created hidden with the document and shown only
// while Execute runs.
class TStringDialog final : public toolkit::Form, public TStringDialogBase {
 public:
  static constexpr int kOk = 1;
  static constexpr int kCancel = -1;

  explicit TStringDialog(HWND owner = nullptr);

  // The text in the field when the user pressed "Ok" (or Enter), or an empty
  // text after "Cancel" (or Escape). An empty prompt leaves the label as it
  // was. The field has the focus, its text selected.
  std::string Execute(const std::string& prompt, const std::string& initial) override;

 private:
  void OnClose() override {}  // only the buttons end the dialog

  toolkit::Label prompt_;
  toolkit::Edit text_;
  toolkit::Button ok_;
  toolkit::Button cancel_;
};

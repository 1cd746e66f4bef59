#include "editor/StringDialog.h"

#include "editor/DialogForm.h"

TStringDialog::TStringDialog(HWND owner)
    : Form(DialogFormArgs("TStringDialog: additional", {235, 100}, owner)),
      prompt_(*this, {.text = "String?", .position = {10, 10}}),
      text_(*this, {.bounds = {10, 35, 215, 22}}),
      ok_(*this, {.text = "Ok",
                  .bounds = {175, 70, 50, 22},
                  .role = toolkit::ButtonRole::Default,
                  .onClick = [this] { SetModalResult(kOk); }}),
      cancel_(*this,
              {.text = "Cancel", .bounds = {100, 70, 70, 22}, .role = toolkit::ButtonRole::Cancel, .onClick = [this] {
                 SetModalResult(kCancel);
               }}) {}

std::string TStringDialog::Execute(const std::string& prompt, const std::string& initial) {
  if (!prompt.empty()) prompt_.SetText(prompt);
  text_.SetText(initial);
  text_.SelectAll();
  const int result = ShowModal(toolkit::ModalScope::DisableOthers, &text_);
  return result < 0 ? std::string() : text_.Text();
}

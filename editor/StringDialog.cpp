#include "editor/StringDialog.h"

#include "editor/DialogForm.h"

TStringDialog::TStringDialog()
    : Form(DialogFormArgs("TStringDialog: additional", {235, 100})),
      prompt_(*this, {.text = "String?", .position = {10, 10}}),
      text_(*this, {.bounds = {10, 35, 215, 22}}),
      ok_(*this, {.text = "Ok", .bounds = {175, 70, 50, 22}, .onClick = [this] { SetModalResult(kOk); }}),
      cancel_(*this, {.text = "Cancel", .bounds = {100, 70, 70, 22}, .onClick = [this] { SetModalResult(kCancel); }}) {}

std::string TStringDialog::Execute(const std::string& prompt, const std::string& initial) {
  if (!prompt.empty()) prompt_.SetText(prompt);
  text_.SetText(initial);
  const int result = ShowModal(toolkit::ModalScope::DisableOthers);
  return result < 0 ? std::string() : text_.Text();
}

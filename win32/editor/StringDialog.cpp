#include "editor/StringDialog.h"

#include "editor/DialogForm.h"
#include "scene/TypedText.h"
#include "scene/Windows1251.h"
#include "toolkit/MessageBox.h"

TStringDialog::TStringDialog(HWND owner, std::string boxCaption)
    : Form(DialogFormArgs("TStringDialog: additional", {235, 100}, owner)),
      owner_(owner),
      boxCaption_(std::move(boxCaption)),
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
  if (!prompt.empty()) prompt_.SetText(Utf8FromWindows1251(prompt));
  text_.SetText(Utf8FromWindows1251(initial));
  for (;;) {
    text_.SelectAll();
    if (ShowModal(toolkit::ModalScope::DisableOthers, &text_) < 0) return {};
    TypedBytes typed = BytesOfTyped(text_.Text());
    if (typed.refusal.empty()) return std::move(typed.bytes);
    toolkit::ShowMessageBox(owner_, typed.refusal, boxCaption_, MB_ICONWARNING);
  }
}

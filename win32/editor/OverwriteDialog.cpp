#include "editor/OverwriteDialog.h"

#include "editor/DialogForm.h"

TOverwriteDialog::TOverwriteDialog(HWND owner)
    : Form(DialogFormArgs("TOverwriteDialog: additional", {238, 125}, owner)),
      question_(*this, {.text = "Overwrite?", .position = {10, 10}}),
      no_(*this, {.text = "No", .bounds = {90, 75, 50, 22}, .onClick = [this] { SetModalResult(kNo); }}),
      yes_(*this, {.text = "Yes", .bounds = {90, 100, 50, 22}, .onClick = [this] { SetModalResult(kYes); }}),
      noForAll_(
          *this,
          {.text = "No for all", .bounds = {145, 75, 90, 22}, .onClick = [this] { SetModalResult(kNo | kForAll); }}),
      yesForAll_(*this, {.text = "Yes for all", .bounds = {145, 100, 90, 22}, .onClick = [this] {
                           SetModalResult(kYes | kForAll);
                         }}) {}

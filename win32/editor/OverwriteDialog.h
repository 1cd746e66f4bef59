#pragma once

#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"

// Asks whether to overwrite something, with four answers: 0x40 means yes,
// 0x80 no, and the low bit that the answer holds for all further cases. The
// main window owns one, made with it; its use is ShowModal and the modal
// result, which no command of the editor asks for yet.
class TOverwriteDialog final : public toolkit::Form {
 public:
  static constexpr int kYes = 0x40;
  static constexpr int kNo = 0x80;
  static constexpr int kForAll = 0x01;

  explicit TOverwriteDialog(HWND owner = nullptr);

 private:
  void OnClose() override {}  // only the buttons end the dialog

  toolkit::Label question_;
  toolkit::Button no_;
  toolkit::Button yes_;
  toolkit::Button noForAll_;
  toolkit::Button yesForAll_;
};

#include "editor/DialogForm.h"

toolkit::FormArgs DialogFormArgs(const std::string& caption, SIZE client, HWND owner) {
  return {.caption = caption,
          .centred = true,
          .client = client,
          .font = {"Verdana", 14},
          .border = toolkit::FormBorder::Dialog,
          .closeCommand = false,
          .owner = owner};
}

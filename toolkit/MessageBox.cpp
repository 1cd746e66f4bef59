#include "toolkit/MessageBox.h"

namespace toolkit {

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT style, UINT codePage) {
  const UINT modality = owner == nullptr ? MB_TASKMODAL : MB_APPLMODAL;
  return MessageBoxW(owner, Widen(text, codePage).c_str(), Widen(caption, codePage).c_str(), style | modality);
}

}  // namespace toolkit

#include "toolkit/MessageBox.h"

#include "os/WideText.h"

namespace toolkit {

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT style) {
  const UINT modality = owner == nullptr ? MB_TASKMODAL : MB_APPLMODAL;
  return MessageBoxW(owner, os::Widen(text).c_str(), os::Widen(caption).c_str(), style | modality);
}

}  // namespace toolkit

#include "toolkit/MessageBox.h"

namespace toolkit {

void ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT icon, UINT codePage) {
  const UINT modality = owner == nullptr ? MB_TASKMODAL : MB_APPLMODAL;
  MessageBoxW(owner, Widen(text, codePage).c_str(), Widen(caption, codePage).c_str(), MB_OK | icon | modality);
}

}  // namespace toolkit

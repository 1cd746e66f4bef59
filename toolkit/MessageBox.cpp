#include "toolkit/MessageBox.h"

namespace toolkit {

std::wstring Widen(std::string_view bytes, UINT codePage) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  std::wstring wide(static_cast<size_t>(MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0)), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT style, UINT codePage) {
  const UINT modality = owner == nullptr ? MB_TASKMODAL : MB_APPLMODAL;
  return MessageBoxW(owner, Widen(text, codePage).c_str(), Widen(caption, codePage).c_str(), style | modality);
}

}  // namespace toolkit

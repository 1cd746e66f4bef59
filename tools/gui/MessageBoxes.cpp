#include "tools/gui/MessageBoxes.h"

#include "os/WideText.h"

namespace {

// The box's text control, as every Windows version numbers it.
constexpr int kMessageBoxTextId = 0xFFFF;

}  // namespace

std::wstring MessageBoxWideText(HWND box) {
  wchar_t text[1024] = {};
  SendMessageW(GetDlgItem(box, kMessageBoxTextId), WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
  return text;
}

std::string MessageBoxText(HWND box) { return os::Narrow(MessageBoxWideText(box)); }

bool ShowsIcon(HWND box, LPCSTR icon) {
  const HICON wanted = LoadIconA(nullptr, icon);
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
    if (reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0)) == wanted) return true;
  return false;
}

void PostOk(HWND box) { PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

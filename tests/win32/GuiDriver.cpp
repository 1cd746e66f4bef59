#include "tests/win32/GuiDriver.h"

#include <dlgs.h>
#include <windowsx.h>

#include <algorithm>
#include <map>

#include "toolkit/Form.h"

namespace {

std::map<UINT_PTR, WhenShown*>& Pollers() {
  static std::map<UINT_PTR, WhenShown*> pollers;
  return pollers;
}

struct Search {
  const WindowMatch& match;
  HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<Search*>(data);
  // A window that waits for a box it owns is disabled: the box is what shows.
  if (!IsWindowVisible(window) || !IsWindowEnabled(window) || !search.match(window)) return TRUE;
  search.found = window;
  return FALSE;
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

BOOL CALLBACK FirstStaticText(HWND window, LPARAM data) {
  auto& text = *reinterpret_cast<std::wstring*>(data);
  if (lstrcmpiA(ClassOf(window).c_str(), "Static") == 0) {
    text.assign(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  }
  return text.empty();
}

}  // namespace

WindowMatch Captioned(std::string caption) {
  if (caption == kPopupMenuClass) return [](HWND window) { return ClassOf(window) == kPopupMenuClass; };
  return [caption = std::move(caption)](HWND window) { return TextOf(window) == caption; };
}

WindowMatch OwnedBy(HWND owner) {
  return [owner](HWND window) { return GetWindow(window, GW_OWNER) == owner; };
}

WhenShown::WhenShown(WindowMatch match, std::function<void(HWND)> action)
    : match_(std::move(match)), action_(std::move(action)), timer_(SetTimer(nullptr, 0, 20, Poll)) {
  Pollers()[timer_] = this;
}

WhenShown::~WhenShown() {
  KillTimer(nullptr, timer_);
  Pollers().erase(timer_);
}

void CALLBACK WhenShown::Poll(HWND, UINT, UINT_PTR timer, DWORD) {
  const auto found = Pollers().find(timer);
  if (found == Pollers().end()) return;
  WhenShown& self = *found->second;
  HWND window = FindThreadWindow(self.match_);
  if (window == nullptr) return;
  KillTimer(nullptr, timer);
  Pollers().erase(found);
  self.done_ = true;
  self.action_(window);
}

HWND FindThreadWindow(const WindowMatch& match) {
  Search search{match};
  EnumThreadWindows(GetCurrentThreadId(), MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND ChildWithText(HWND parent, const char* className, const char* text) {
  return FindWindowExA(parent, nullptr, className, text);
}

std::string TextOf(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

void Click(HWND button) { SendMessageA(button, BM_CLICK, 0, 0); }

std::wstring MessageBoxWideText(HWND box) {
  std::wstring text;
  EnumChildWindows(box, FirstStaticText, reinterpret_cast<LPARAM>(&text));
  return text;
}

std::string MessageBoxText(HWND box) {
  const std::wstring wide = MessageBoxWideText(box);
  std::string text(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                                           nullptr, 0, nullptr, nullptr)),
                   '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), static_cast<int>(text.size()),
                      nullptr, nullptr);
  return text;
}

void PressOk(HWND box) { PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

void ChooseFile(HWND dialog, const std::string& path) {
  // The explorer-style dialog names its file in a combo box, the old style in an edit.
  HWND field = GetDlgItem(dialog, cmb13);
  if (field == nullptr) field = GetDlgItem(dialog, edt1);
  SetWindowTextA(field, path.c_str());
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

void CancelDialog(HWND dialog) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
}

std::function<void(HWND)> PickMenuItem(int index) {
  return [index](HWND menu) {
    for (int step = 0; step <= index; ++step) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
  };
}

namespace {

POINT CheckBoxPoint(const toolkit::TreeView& tree, toolkit::TreeItem item) {
  RECT text{};
  TreeView_GetItemRect(tree.Handle(), tree.ControlItem(item), &text, TRUE);
  const int middle = (text.top + text.bottom) / 2;
  for (int x = text.left - 1; x > text.left - 40 && x >= 0; --x)
    if (tree.HitTest({x, middle}).onCheckBox) return {x - 4, middle};
  return {-1, -1};
}

}  // namespace

void ClickCheckBox(const toolkit::TreeView& tree, toolkit::TreeItem item) {
  const POINT at = CheckBoxPoint(tree, item);
  SendMessageA(tree.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  SendMessageA(tree.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

void RightClickNode(const toolkit::TreeView& tree, toolkit::TreeItem item) {
  RECT text{};
  TreeView_GetItemRect(tree.Handle(), tree.ControlItem(item), &text, TRUE);
  const LPARAM at = MAKELPARAM((text.left + text.right) / 2, (text.top + text.bottom) / 2);
  // The tree waits for the release inside its handling of the press.
  PostMessageA(tree.Handle(), WM_RBUTTONUP, 0, at);
  SendMessageA(tree.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, at);
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) toolkit::HandleQueuedMessage(msg);
}

std::string WindowsPath(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

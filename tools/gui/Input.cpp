#include "tools/gui/Input.h"

#include <shlobj.h>

#include <cstring>

#include "os/WideText.h"
#include "toolkit/Form.h"

namespace {

INPUT KeyInput(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

}  // namespace

void SendClick(HWND button) { SendMessageA(button, BM_CLICK, 0, 0); }

void PostClick(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

void SendTyping(HWND edit, const std::string& text) {
  SendMessageW(edit, EM_SETSEL, 0, -1);
  SendMessageW(edit, WM_CHAR, VK_BACK, 1);
  for (wchar_t c : os::Widen(text)) SendMessageW(edit, WM_CHAR, c, 1);
}

void PostTyping(HWND window, const std::string& text) {
  for (wchar_t c : os::Widen(text)) PostMessageW(window, WM_CHAR, c, 1);
}

void PostKey(HWND window, UINT key) { PostMessageA(window, WM_KEYDOWN, key, 1); }

void PressKey(const toolkit::Shortcut& key) {
  std::vector<INPUT> inputs;
  if (key.ctrl) inputs.push_back(KeyInput(VK_CONTROL, false));
  if (key.shift) inputs.push_back(KeyInput(VK_SHIFT, false));
  inputs.push_back(KeyInput(key.key, false));
  inputs.push_back(KeyInput(key.key, true));
  if (key.shift) inputs.push_back(KeyInput(VK_SHIFT, true));
  if (key.ctrl) inputs.push_back(KeyInput(VK_CONTROL, true));
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void PushKey(UINT key) {
  INPUT input = KeyInput(static_cast<WORD>(key), false);
  SendInput(1, &input, sizeof input);
}

void ReleaseKey(UINT key) {
  INPUT input = KeyInput(static_cast<WORD>(key), true);
  SendInput(1, &input, sizeof input);
}

void PostDroppedFiles(HWND window, const std::vector<std::wstring>& paths) {
  // A DROPFILES header, then each path and its zero, then one more zero.
  std::wstring names;
  for (const std::wstring& path : paths) names += path + L'\0';
  names += L'\0';
  const size_t size = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
  HGLOBAL drop = GlobalAlloc(GHND, size);
  auto* header = static_cast<DROPFILES*>(GlobalLock(drop));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), names.data(), names.size() * sizeof(wchar_t));
  GlobalUnlock(drop);
  // The window finishes the drop, which frees the memory.
  PostMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
}

std::function<void(HWND)> PickMenuItem(int index) {
  return [index](HWND menu) {
    for (int step = 0; step <= index; ++step) PostKey(menu, VK_DOWN);
    PostKey(menu, VK_RETURN);
  };
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) toolkit::HandleQueuedMessage(msg);
}

HWND MouseCapture(DWORD thread) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(thread, &info) ? info.hwndCapture : nullptr;
}

void Mouse::Down(HWND window, POINT client) {
  down_ = true;
  Send(window, client, WM_LBUTTONDOWN);
}

void Mouse::Up(HWND window, POINT client) {
  down_ = false;
  Send(window, client, WM_LBUTTONUP);
}

void Mouse::Send(HWND window, POINT client, UINT message) const {
  POINT screen = client;
  ClientToScreen(window, &screen);
  HWND target = MouseCapture(thread_);
  if (target == nullptr) target = WindowFromPoint(screen);
  POINT local = screen;
  ScreenToClient(target, &local);
  SendMessageA(target, message, down_ ? MK_LBUTTON : 0, MAKELPARAM(local.x, local.y));
}

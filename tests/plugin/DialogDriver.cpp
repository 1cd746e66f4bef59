#include "tests/plugin/DialogDriver.h"

#include <chrono>

namespace {

using namespace std::chrono_literals;

constexpr auto kPatience = 5s;
constexpr auto kPollEvery = 10ms;

// The message box's text control, as every Windows version numbers it.
constexpr int kMessageBoxTextId = 0xFFFF;

struct Search {
  const char* className;
  const char* caption;
  HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<Search*>(data);
  if (!IsWindowVisible(window) || ClassOf(window) != search.className) return TRUE;
  if (search.caption != nullptr && TextOf(window) != search.caption) return TRUE;
  search.found = window;
  return FALSE;
}

HWND FindWindowOf(DWORD thread, const char* className, const char* caption) {
  Search search{className, caption};
  EnumThreadWindows(thread, MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

DialogDriver::DialogDriver(DWORD hostThread, std::function<void()> script)
    : hostThread_(hostThread), thread_([this, script = std::move(script)] { Run(script); }) {}

DialogDriver::~DialogDriver() { thread_.join(); }

void DialogDriver::Run(const std::function<void()>& script) {
  script();
  while (!hostReturned_) {
    if (HWND box = FindWindowOf(hostThread_, kMessageBoxClass, nullptr)) PressOk(box);
    if (HWND dialog = FindWindowOf(hostThread_, kDialogClass, nullptr))
      PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    std::this_thread::sleep_for(50ms);
  }
}

HWND WaitForWindow(DWORD thread, const char* className, const char* caption) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindWindowOf(thread, className, caption)) != nullptr; });
  return found;
}

bool ShowsWindow(DWORD thread, const char* className) { return FindWindowOf(thread, className, nullptr) != nullptr; }

bool WaitUntil(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(kPollEvery);
  }
  return true;
}

std::string TextOf(HWND window) {
  char text[512] = {};
  SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

RECT PlaceInParent(HWND child) {
  RECT place{};
  GetWindowRect(child, &place);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

void TypeInto(HWND edit, const std::string& text) {
  SendMessageA(edit, EM_SETSEL, 0, -1);
  SendMessageA(edit, WM_CHAR, VK_BACK, 1);
  for (char c : text) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void Click(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

void PressOk(HWND messageBox) { PostMessageA(messageBox, WM_COMMAND, IDOK, 0); }

std::string MessageBoxText(HWND messageBox) { return TextOf(GetDlgItem(messageBox, kMessageBoxTextId)); }

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

#include "tools/gui/WindowSearch.h"

#include "os/WideText.h"

namespace {

constexpr DWORD kPollMs = 10;

struct Search {
  const WindowMatch& match;
  DWORD process = 0;  // 0: any
  HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<Search*>(data);
  if (search.process != 0) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.process) return TRUE;
  }
  if (!IsWindowVisible(window) || !search.match(window)) return TRUE;
  search.found = window;
  return FALSE;
}

}  // namespace

WindowMatch Captioned(std::string caption) {
  if (caption == kPopupMenuClass) return OfClass(kPopupMenuClass);
  return [caption = std::move(caption)](HWND window) { return TextOf(window) == caption; };
}

WindowMatch OfClass(std::string className, const char* caption) {
  return [className = std::move(className), caption](HWND window) {
    return ClassOf(window) == className && (caption == nullptr || TextOf(window) == caption);
  };
}

WindowMatch OwnedBy(HWND owner) {
  return [owner](HWND window) { return GetWindow(window, GW_OWNER) == owner; };
}

HWND FindThreadWindow(DWORD thread, const WindowMatch& match) {
  Search search{match};
  EnumThreadWindows(thread, MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindProcessWindow(DWORD process, const WindowMatch& match) {
  Search search{match, process};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > milliseconds) return false;
    Sleep(kPollMs);
  }
  return true;
}

HWND WaitForThreadWindow(DWORD thread, const WindowMatch& match) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindThreadWindow(thread, match)) != nullptr; });
  return found;
}

std::string TextOf(HWND window) {
  // WM_GETTEXT, not GetWindowText: the latter reads no other process's controls.
  std::wstring text(static_cast<size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
  const auto got = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(got));
  return os::Narrow(text);
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

HWND ChildWithText(HWND parent, const char* className, const char* text) {
  return FindWindowExA(parent, nullptr, className, text);
}

RECT PlaceInParent(HWND child) {
  RECT place{};
  GetWindowRect(child, &place);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

#pragma once
// Finding windows and reading what they show, from the thread that owns them
// or from any other thread or process.

#include <windows.h>

#include <functional>
#include <ostream>
#include <string>

constexpr char kPopupMenuClass[] = "#32768";
constexpr char kMessageBoxClass[] = "#32770";
constexpr char kFormClass[] = "toolkit.Form";

// Which window a search is after.
using WindowMatch = std::function<bool(HWND)>;
// A window with this caption, or, for kPopupMenuClass, a popup menu.
WindowMatch Captioned(std::string caption);
// A window of this class, with this caption unless it is null.
WindowMatch OfClass(std::string className, const char* caption = nullptr);
// A window that `owner` owns, such as a box that a dialog shows.
WindowMatch OwnedBy(HWND owner);

// The first visible top-level window of the thread, or of the process, that
// matches; null if none.
HWND FindThreadWindow(DWORD thread, const WindowMatch& match);
HWND FindProcessWindow(DWORD process, const WindowMatch& match);

// Polls `condition` until it holds (true) or `milliseconds` have passed; a
// program's start or a save under Wine can take a while.
bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds = 30000);
// A window of the thread that matches, once it shows; null when none did in time.
HWND WaitForThreadWindow(DWORD thread, const WindowMatch& match);

std::string TextOf(HWND window);
std::string ClassOf(HWND window);
HWND ChildWithText(HWND parent, const char* className, const char* text);
// The rectangle of a child in its parent's client area.
RECT PlaceInParent(HWND child);

// Rectangles compare and print, for the tests' expectations on places.
inline bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }
inline std::ostream& operator<<(std::ostream& out, const RECT& r) {
  return out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

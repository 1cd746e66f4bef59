#pragma once
// Drives the real windows from inside a test: finds what a modal loop shows
// and answers it, clicks controls, reads message boxes.

#include <windows.h>

#include <functional>
#include <ostream>
#include <string>

#include "toolkit/TreeView.h"

// Which window a WhenShown waits for.
using WindowMatch = std::function<bool(HWND)>;
// A window with this caption, or, for kPopupMenuClass, a popup menu.
WindowMatch Captioned(std::string caption);
// A window that `owner` owns, such as a box that a dialog shows.
WindowMatch OwnedBy(HWND owner);

// Runs `action` once on the first visible, enabled top-level window of this
// thread that matches. It looks every few milliseconds on a thread timer, so
// it acts from inside whatever message loop is running then: a modal dialog,
// a message box, a file dialog, a menu.
class WhenShown {
 public:
  WhenShown(WindowMatch match, std::function<void(HWND)> action);
  WhenShown(std::string caption, std::function<void(HWND)> action)
      : WhenShown(Captioned(std::move(caption)), std::move(action)) {}
  WhenShown(const WhenShown&) = delete;
  WhenShown& operator=(const WhenShown&) = delete;
  ~WhenShown();

  bool Done() const { return done_; }

 private:
  static void CALLBACK Poll(HWND, UINT, UINT_PTR timer, DWORD);

  WindowMatch match_;
  std::function<void(HWND)> action_;
  UINT_PTR timer_;
  bool done_ = false;
};

constexpr char kPopupMenuClass[] = "#32768";

// A visible, enabled top-level window of this thread that matches; null if none.
HWND FindThreadWindow(const WindowMatch& match);
HWND ChildWithText(HWND parent, const char* className, const char* text);
std::string TextOf(HWND window);
void Click(HWND button);

// The text of a message box, as bytes of the ANSI code page or as UTF-16,
// and its OK button pressed.
std::string MessageBoxText(HWND box);
std::wstring MessageBoxWideText(HWND box);
void PressOk(HWND box);

// Types a path into a file dialog and presses its Open or Save button.
void ChooseFile(HWND dialog, const std::string& path);
void CancelDialog(HWND dialog);

// An action for a WhenShown on a popup menu: picks the item at `index` by
// keyboard, as a user would.
std::function<void(HWND)> PickMenuItem(int index);

// A press and release of the mouse button on a node's check box, or a right
// click on its text, as the tree receives them.
void ClickCheckBox(const toolkit::TreeView& tree, toolkit::TreeItem item);
void RightClickNode(const toolkit::TreeView& tree, toolkit::TreeItem item);

// Handles the messages that are waiting, as the program's loop would.
void PumpMessages();

inline bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }
inline std::ostream& operator<<(std::ostream& out, const RECT& r) {
  return out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

// A path with backslashes, as a user types it into a file dialog.
std::string WindowsPath(std::string path);

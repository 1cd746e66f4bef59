#pragma once
// Drives the real windows from inside a test: finds what a modal loop shows
// and answers it, clicks controls, reads message boxes.

#include <windows.h>

#include <functional>
#include <ostream>
#include <string>

#include "toolkit/TreeView.h"

// Runs `action` once on the first visible, enabled top-level window of this thread
// whose caption (or, for "#32768", a popup menu, whose class) is `caption`.
// It looks every few milliseconds on a thread timer, so it acts from inside
// whatever message loop is running then: a modal dialog, a message box, a
// file dialog, a menu.
class WhenShown {
 public:
  WhenShown(std::string caption, std::function<void(HWND)> action);
  WhenShown(const WhenShown&) = delete;
  WhenShown& operator=(const WhenShown&) = delete;
  ~WhenShown();

  bool Done() const { return done_; }

 private:
  static void CALLBACK Poll(HWND, UINT, UINT_PTR timer, DWORD);

  std::string caption_;
  std::function<void(HWND)> action_;
  UINT_PTR timer_;
  bool done_ = false;
};

constexpr char kPopupMenuClass[] = "#32768";

// A visible top-level window of this thread with the caption; null if none.
HWND FindThreadWindow(const std::string& caption);
HWND ChildWithText(HWND parent, const char* className, const char* text);
std::string TextOf(HWND window);
void Click(HWND button);

// The text of a message box, and its OK button pressed.
std::string MessageBoxText(HWND box);
void PressOk(HWND box);

// Types a path into a file dialog and presses its Open or Save button.
void ChooseFile(HWND dialog, const std::string& path);
void CancelDialog(HWND dialog);

// An action for a WhenShown on a popup menu: picks the item at `index` by
// keyboard, as a user would.
std::function<void(HWND)> PickMenuItem(int index);

// A press and release of the mouse button on a node's check box, or a right
// click on its text, as the tree receives them.
void ClickCheckBox(const toolkit::TreeView& tree, HTREEITEM item);
void RightClickNode(const toolkit::TreeView& tree, HTREEITEM item);

// Handles the messages that are waiting, as the program's loop would.
void PumpMessages();

inline bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }
inline std::ostream& operator<<(std::ostream& out, const RECT& r) {
  return out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

// A path with backslashes, as a user types it into a file dialog.
std::string WindowsPath(std::string path);

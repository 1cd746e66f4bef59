#pragma once
// The keyboard and the mouse as a user works them. A name that says Send
// returns once the window has handled the input, so it is for the window's
// own thread when nothing modal follows; Post returns at once, for another
// thread or for input that opens a modal loop.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/Shortcut.h"

// A click on a button.
void SendClick(HWND button);
void PostClick(HWND button);

// Selects everything in an edit field, deletes it and types `text`.
void SendTyping(HWND edit, const std::string& text);
// Characters and a key as the keyboard gives them to the window with the focus.
void PostTyping(HWND window, const std::string& text);
void PostKey(HWND window, UINT key);

// A key pressed and let go on the keyboard, its modifiers held meanwhile, as
// the system's input: it goes to the window with the focus in the
// foreground window's thread, through that thread's queue and message loop.
// Returns at once.
void PressKey(const toolkit::Shortcut& key);

// A key pushed down on the keyboard (again while it is held: a repeat), or
// let go, alone, as the system's input, as PressKey. Returns at once.
void PushKey(UINT key);
void ReleaseKey(UINT key);

// Files dropped on a window, as the shell posts them.
void PostDroppedFiles(HWND window, const std::vector<std::wstring>& paths);

// An action for a popup menu: picks the item at `index` by keyboard.
std::function<void(HWND)> PickMenuItem(int index);

// Handles the messages that are waiting on this thread, as the program's loop would.
void PumpMessages();

// The window of `thread` that holds the mouse capture; null for none.
HWND MouseCapture(DWORD thread);

// The left mouse button as the window system delivers it to `thread`: each
// event goes to the window that holds the capture, else to the window under
// the point, in that window's client coordinates. The messages are sent, so
// each has been handled when the call returns. (Input through SendInput would
// be the real mouse, but Wine replays the X server's motion events after it,
// late, at places the pointer has already left.)
class Mouse {
 public:
  explicit Mouse(DWORD thread) : thread_(thread) {}
  // At a point of `window`'s client area.
  void MoveTo(HWND window, POINT client) { Send(window, client, WM_MOUSEMOVE); }
  void Down(HWND window, POINT client);
  void Up(HWND window, POINT client);

 private:
  void Send(HWND window, POINT client, UINT message) const;

  DWORD thread_;
  bool down_ = false;
};

#pragma once
// Answers the plug-in's windows from a thread of its own while the host's
// thread sits in EditSound, as a user in front of the screen would: it waits
// for what the plug-in shows, reads it, types into it, uses the mouse and
// clicks the buttons.

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

class DialogDriver {
 public:
  // Runs `script` on a new thread, which answers the windows of `hostThread`.
  DialogDriver(DWORD hostThread, std::function<void()> script);
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;
  // Waits for the script. Whatever a failed script left open is closed, so
  // that the host's call always returns.
  ~DialogDriver();

  // The host's call has returned: nothing is left to close.
  void HostReturned() { hostReturned_ = true; }

 private:
  void Run(const std::function<void()>& script);

  DWORD hostThread_;
  std::atomic<bool> hostReturned_{false};
  std::thread thread_;
};

constexpr char kDialogClass[] = "toolkit.Form";
constexpr char kMessageBoxClass[] = "#32770";

// The first visible top-level window of `thread` of the class, with the
// caption unless it is null; null when none shows within a few seconds.
HWND WaitForWindow(DWORD thread, const char* className, const char* caption = nullptr);
// Whether any visible top-level window of `thread` has the class.
bool ShowsWindow(DWORD thread, const char* className);
// Polls `condition` for a few seconds.
bool WaitUntil(const std::function<bool()>& condition);

std::string TextOf(HWND window);
std::string ClassOf(HWND window);
// The rectangle of a child in its parent's client area.
RECT PlaceInParent(HWND child);

// Selects everything in an edit field, deletes it and types `text`.
void TypeInto(HWND edit, const std::string& text);
// A click that does not wait for what the button starts (a modal box).
void Click(HWND button);
void PressOk(HWND messageBox);
std::string MessageBoxText(HWND messageBox);

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

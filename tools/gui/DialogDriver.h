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

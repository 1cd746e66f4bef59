#pragma once
// What a command makes that must not outlive it when the user ends the
// program (Ctrl+C, Ctrl+Break or the console window closed on Windows; INT,
// TERM and HUP on POSIX systems): its temporary files and folders. A program
// that asks for it catches those signals; each then removes what is
// registered at that moment and ends the program as the signal would have.

#include <memory>
#include <string>

namespace os {

// From now on, for the rest of the process. Call once, early, on the main
// thread. A signal that the program was started to ignore stays ignored.
void RemoveTemporariesWhenInterrupted();

// One temporary file or folder, removed at such a signal for as long as its
// guard lives: files first, then folders. Made before what it guards is
// created, so that no moment is left in which a signal would miss it (a
// fresh random name is not there yet, nor another program's). Without the
// call above, or past the few that are held at once, it does nothing.
class TemporaryGuard {
 public:
  static std::unique_ptr<TemporaryGuard> ForFile(const std::string& path);
  static std::unique_ptr<TemporaryGuard> ForFolder(const std::string& path);
  ~TemporaryGuard();
  TemporaryGuard(const TemporaryGuard&) = delete;
  TemporaryGuard& operator=(const TemporaryGuard&) = delete;

  // Windows: the file's handle (a HANDLE), given as soon as it is made and
  // written through while the guard lives, which is closed before the file
  // is removed, as Windows removes no file that is open: a signal is taken
  // only while no guarded file is between its creation and this call.
  // Elsewhere it does nothing.
  void HoldsOpen(void* handle);

  struct Entry;  // the platform's

 private:
  explicit TemporaryGuard(std::unique_ptr<Entry> entry);
  std::unique_ptr<Entry> entry_;
};

}  // namespace os

// Holds Wine's desktop through a whole run of the Windows tests. Wine ends
// the desktop a moment after the last program that uses it, and starts it
// again for the next one; a test program that comes in while it ends can
// find no place for its windows for as long as it runs. This program uses
// the desktop from before the first test until the run's Wine server stops.

#include <windows.h>

#include <cstdio>

int main() {
  // A window that is never shown is enough to hold the desktop.
  if (CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr) == nullptr)
    return 1;
  std::puts("holding the desktop");
  std::fflush(stdout);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}

#include "editor/ConsoleQuestion.h"

#include <atomic>

namespace {

std::atomic<HWND> asked = nullptr;
std::function<void()> finishing;  // set while `asked` is null

// Runs on a thread of the system's: the window's own thread asks, and this
// one waits for the answer.
BOOL WINAPI OnConsoleEvent(DWORD event) {
  const HWND window = asked.load();
  if (window == nullptr) return FALSE;
  SendMessageW(window, WM_CLOSE, 0, 0);
  // The editor goes on unless the answer closed it.
  if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) return TRUE;
  // The system ends the process once this returns: the recovery file is
  // made as the answer left it first. A closed window has done so itself.
  if (IsWindow(window)) finishing();
  return TRUE;
}

}  // namespace

ConsoleQuestion::ConsoleQuestion(HWND window, std::function<void()> beforeEnd) {
  finishing = std::move(beforeEnd);
  asked = window;
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

ConsoleQuestion::~ConsoleQuestion() {
  SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
  asked = nullptr;
}

#pragma once
// Ctrl+C, Ctrl+Break, and the trace console's close where the system lets
// it happen: each asks, as the main window's close does, before unsaved
// changes go.

#include <windows.h>

#include <functional>

class ConsoleQuestion {
 public:
  // `window`: the main window, asked to close. `beforeEnd`: run when the
  // process is to end whatever the answer, before it does.
  ConsoleQuestion(HWND window, std::function<void()> beforeEnd);
  ConsoleQuestion(const ConsoleQuestion&) = delete;
  ConsoleQuestion& operator=(const ConsoleQuestion&) = delete;
  ~ConsoleQuestion();
};

#include "editor/ConsoleTrace.h"

#include "scene/Windows1251.h"
#include "toolkit/Console.h"

ConsoleTrace::ConsoleTrace() {
  toolkit::Console::Open();
  Trace("{$DEFINE scene2_DEBUG_MODE}");
}

void ConsoleTrace::Write(std::string_view bytes) {
  // The trace is Windows-1251, as names are: a file or pipe gets it so, the
  // console window its characters.
  const toolkit::Console& console = toolkit::Console::Open();
  console.Write(console.IsRedirected() ? std::string(bytes) : Utf8FromWindows1251(bytes));
}

#include "editor/ConsoleTrace.h"

#include "toolkit/Console.h"

ConsoleTrace::ConsoleTrace() {
  toolkit::Console::Open();
  Trace("{$DEFINE scene2_DEBUG_MODE}");
}

void ConsoleTrace::Write(std::string_view bytes) { toolkit::Console::Open().Write(bytes); }

#include "editor/ConsoleTrace.h"

#include "toolkit/Console.h"

ConsoleTrace::ConsoleTrace() : previous_(SetTraceSink(this)) {
  toolkit::Console::Open();
  Trace("{$DEFINE scene2_DEBUG_MODE}");
}

ConsoleTrace::~ConsoleTrace() { SetTraceSink(previous_); }

void ConsoleTrace::Write(std::string_view bytes) { toolkit::Console::Open().Write(bytes); }

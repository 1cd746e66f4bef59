#pragma once

#include <string_view>

// Where the scene model's trace goes: one sink for the whole process. The
// editor installs one that writes to its console, tests one that collects.
class TraceSink {
 public:
  virtual ~TraceSink() = default;
  virtual void Write(std::string_view bytes) = 0;
};

// Installs `sink` (not owned; null drops the trace) and gives the one before.
TraceSink* SetTraceSink(TraceSink* sink);

// Writes the bytes as they are, with no line end.
void TraceWrite(std::string_view bytes);
// Writes one trace line, ended by CR LF.
void Trace(std::string_view line);

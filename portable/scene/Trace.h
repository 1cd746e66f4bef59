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

// A sink that takes the trace for as long as it lives; the one before takes
// it back when it goes.
class InstalledTraceSink : public TraceSink {
 public:
  InstalledTraceSink(const InstalledTraceSink&) = delete;
  InstalledTraceSink& operator=(const InstalledTraceSink&) = delete;

 protected:
  InstalledTraceSink() : previous_(SetTraceSink(this)) {}
  ~InstalledTraceSink() override { SetTraceSink(previous_); }

 private:
  TraceSink* previous_;
};

// Writes the bytes as they are, with no line end.
void TraceWrite(std::string_view bytes);
// Writes one trace line, ended by CR LF.
void Trace(std::string_view line);

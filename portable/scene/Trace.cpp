#include "scene/Trace.h"

namespace {
TraceSink* currentSink = nullptr;
}

TraceSink* SetTraceSink(TraceSink* sink) {
  TraceSink* previous = currentSink;
  currentSink = sink;
  return previous;
}

void TraceWrite(std::string_view bytes) {
  if (currentSink != nullptr) currentSink->Write(bytes);
}

void Trace(std::string_view line) {
  TraceWrite(line);
  TraceWrite("\r\n");
}

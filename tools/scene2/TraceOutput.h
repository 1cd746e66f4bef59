#pragma once

#include <ostream>
#include <string_view>

#include "scene/Trace.h"

// The scene model's trace on its way to a stream, or to nowhere when no one
// asked for it.
// Installs itself for as long as it lives.
class TraceOutput final : public InstalledTraceSink {
 public:
  // Null drops the trace.
  void SendTo(std::ostream* stream) { stream_ = stream; }

  void Write(std::string_view bytes) override {
    if (stream_ != nullptr) stream_->write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

 private:
  std::ostream* stream_ = nullptr;
};

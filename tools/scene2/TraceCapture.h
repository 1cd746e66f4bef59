#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "scene/Trace.h"

// The scene model's trace on its way to a stream, or to nowhere with -q,
// with the lines of a load kept: a failed load says why only there. Installs
// itself for as long as it lives.
class TraceCapture final : public InstalledTraceSink {
 public:
  // Null drops the trace.
  void SendTo(std::ostream* stream) { stream_ = stream; }
  // Keeps every whole line from now on, until TakeLines.
  void Keep() { keeping_ = true; }
  // The lines kept, without their CR LF; keeps no more.
  std::vector<std::string> TakeLines();

  void Write(std::string_view bytes) override;

 private:
  std::ostream* stream_ = nullptr;
  bool keeping_ = false;
  std::string line_;
  std::vector<std::string> lines_;
};

// Why a load failed, from the lines it traced. The last is
// "qScene2bin.ReadFromFile: " and the reason; when the head or a section
// failed, that reason is "qScene2bin.ReadFromFile: cant read header" (or
// section) and the line before it says why.
std::string LoadFailureReason(const std::vector<std::string>& lines);

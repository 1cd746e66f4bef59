#pragma once
// scene2's standard output or error, buffered: a write that fails is kept,
// with its reason, for the command's end to report, and what comes after it
// is dropped.

#include <optional>
#include <streambuf>

#include "os/StandardStreams.h"

class StandardOutputBuffer final : public std::streambuf {
 public:
  explicit StandardOutputBuffer(os::StandardStream stream) : stream_(stream) { setp(buffer_, buffer_ + sizeof buffer_); }
  ~StandardOutputBuffer() override { Flush(); }
  StandardOutputBuffer(const StandardOutputBuffer&) = delete;
  StandardOutputBuffer& operator=(const StandardOutputBuffer&) = delete;

  // The first write that failed; nullopt while none has.
  const std::optional<os::Failure>& Failed() const { return failed_; }

 protected:
  int_type overflow(int_type c) override;
  int sync() override { return Flush() ? 0 : -1; }

 private:
  bool Flush();

  os::StandardStream stream_;
  std::optional<os::Failure> failed_;
  char buffer_[64 << 10];
};

#pragma once
// What a file-system call gives back: its value, or why it could not. The one
// way the portable helpers report a failure; the scene model turns it into
// its Exception where an operation fails.

#include <string>
#include <utility>
#include <variant>

namespace os {

struct Failure {
  std::string reason;       // the system's reason, worded to follow "PATH: "
  bool notAFile = false;    // it exists, but is a folder, a device, a pipe or a socket
  bool pipeClosed = false;  // written to a pipe whose reader has gone
};

template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : outcome_(std::move(value)) {}
  Result(Failure failure) : outcome_(std::move(failure)) {}

  bool ok() const { return std::holds_alternative<T>(outcome_); }
  T& value() { return std::get<T>(outcome_); }
  const Failure& failure() const { return std::get<Failure>(outcome_); }
  const std::string& reason() const { return failure().reason; }

 private:
  std::variant<T, Failure> outcome_;
};

// A call that gives nothing back but whether it worked.
struct Done {};
using Status = Result<Done>;

}  // namespace os

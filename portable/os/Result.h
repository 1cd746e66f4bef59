#pragma once
// What a call that can fail gives back: its value, or why it could not. The
// file-system helpers fail with the system's reason (Failure); the scene core
// with errors of its own, through the same template.

#include <string>
#include <utility>
#include <variant>

namespace os {

struct Failure {
  std::string reason;       // the system's reason, worded to follow "PATH: "
  bool notAFile = false;    // it exists, but is a folder, a device, a pipe or a socket
  bool pipeClosed = false;  // written to a pipe whose reader has gone
};

template <typename T, typename Error = Failure>
class [[nodiscard]] Result {
 public:
  Result(T value) : outcome_(std::move(value)) {}
  Result(Error failure) : outcome_(std::move(failure)) {}

  bool ok() const { return std::holds_alternative<T>(outcome_); }
  T& value() { return std::get<T>(outcome_); }
  const T& value() const { return std::get<T>(outcome_); }
  const Error& failure() const { return std::get<Error>(outcome_); }
  const std::string& reason() const { return failure().reason; }

 private:
  std::variant<T, Error> outcome_;
};

// A call that gives nothing back but whether it worked.
struct Done {};
using Status = Result<Done>;

}  // namespace os

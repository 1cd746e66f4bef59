#pragma once

#include <cstdint>
#include <exception>
#include <string>

// The scene model's error: a code that callers branch on and a message that is
// shown or traced as it stands.
class Exception : public std::exception {
 public:
  Exception(int32_t errorCode, std::string message) : ErrorCode(errorCode), Message(std::move(message)) {}
  const char* what() const noexcept override { return Message.c_str(); }

  int32_t ErrorCode;
  std::string Message;
};

// A file that could not be written: the message as the trace shows it, and
// the system's own reason, which the command line names with the path.
class FileWriteError : public Exception {
 public:
  FileWriteError(std::string message, std::string reason)
      : Exception(1, std::move(message)), Reason(std::move(reason)) {}

  std::string Reason;
};

// The text to trace for any failure caught at an operation's boundary.
std::string FailureMessage(const std::exception& failure);

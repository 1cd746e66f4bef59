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

// The text to trace for any failure caught at an operation's boundary.
std::string FailureMessage(const std::exception& failure);

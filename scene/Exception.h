#pragma once

#include <cstdint>
#include <exception>
#include <string>

// The scene model's error: a code that callers branch on and a message that is
// traced as it stands, and shown decoded: like names, the model's texts are
// Windows-1251.
class Exception : public std::exception {
 public:
  // The codes, as the operations raise them.
  enum class Code : int32_t {
    // What was sought is not there: a section list for a chunk type, a name
    // sub-chunk, a new name, the rest of a file's head.
    Absent = 0,
    // Anything else wrong with a file, a chunk or a call.
    Invalid = 1,
    // No new chunk given to ReplaceChunkData.
    NoData = 2,
    // An object or definition type that the editor's tree has no folder for.
    UnknownType = 12345,
  };

  Exception(Code code, std::string message) : ErrorCode(static_cast<int32_t>(code)), Message(std::move(message)) {}
  const char* what() const noexcept override { return Message.c_str(); }
  // The message as a box or a console shows it, in UTF-8.
  std::string Shown() const;

  int32_t ErrorCode;
  std::string Message;
};

// A file that could not be written: the message as the trace shows it, and
// the system's own reason, which the command line names with the path.
class FileWriteError : public Exception {
 public:
  FileWriteError(std::string message, std::string reason)
      : Exception(Code::Invalid, std::move(message)), Reason(std::move(reason)) {}

  std::string Reason;
};

// The text to trace for any failure caught at an operation's boundary.
std::string FailureMessage(const std::exception& failure);

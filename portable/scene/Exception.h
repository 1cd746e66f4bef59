#pragma once

#include <cstdint>
#include <exception>
#include <string>

// The editor's error: a code that callers branch on and a message in UTF-8,
// which the trace writes in Windows-1251, as it writes names.
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

  int32_t ErrorCode;
  std::string Message;
};

// A file that could not be written: the message, and the system's own
// reason, which the command line names with the path.
class FileWriteError : public Exception {
 public:
  FileWriteError(std::string message, std::string reason)
      : Exception(Code::Invalid, std::move(message)), Reason(std::move(reason)) {}

  std::string Reason;
};

// The message of any failure caught at an operation's boundary, in UTF-8.
std::string FailureMessage(const std::exception& failure);

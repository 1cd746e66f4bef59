#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "os/FileSystem.h"

// A byte stream with a current position: what the reader walks and the writer
// fills. Reads never fail; they give fewer bytes at the end. Writes that fail
// raise Exception.
class TStream {
 public:
  enum class Origin { Begin, Current };

  TStream() = default;
  TStream(const TStream&) = delete;
  TStream& operator=(const TStream&) = delete;
  virtual ~TStream() = default;

  virtual size_t Read(void* buffer, size_t count) = 0;
  virtual void Write(const void* buffer, size_t count) = 0;
  virtual void Seek(int64_t offset, Origin origin) = 0;
  virtual int64_t Position() const = 0;
  virtual int64_t Size() const = 0;
  // Writes the runs one after another. A file gathers them into few system
  // calls; any other stream writes each in turn.
  virtual void WriteRuns(std::span<const os::ByteRun> runs);

  // Writes a 32-bit little-endian number. (Numbers are read from bytes in
  // memory, through ByteView's checked reads.)
  void WriteU32(uint32_t value);
};

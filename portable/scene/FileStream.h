#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "os/Result.h"
#include "scene/Stream.h"

// A file as a stream: either opened for reading (shared, buffered here so that
// the reader's small reads and short seeks back cost no system call) or
// created for writing (every write checked).
class TFileStream final : public TStream {
 public:
  static constexpr size_t kDefaultBufferSize = 1 << 20;

  // A regular file only: a folder, a device or a pipe is refused. Reads of
  // `bufferSize` or more go straight into the caller's memory.
  static os::Result<std::unique_ptr<TFileStream>> OpenRead(const std::string& path,
                                                           size_t bufferSize = kDefaultBufferSize);
  static os::Result<std::unique_ptr<TFileStream>> Create(const std::string& path);
  // Writes into a file opened for writing, which the stream then owns.
  static std::unique_ptr<TFileStream> Writing(std::FILE* file);
  ~TFileStream() override;

  size_t Read(void* buffer, size_t count) override;
  void Write(const void* buffer, size_t count) override;
  void WriteRuns(std::span<const os::ByteRun> runs) override;
  void Seek(int64_t offset, Origin origin) override;
  int64_t Position() const override { return position_; }
  int64_t Size() const override { return size_; }

  // Flushes and closes a created file; raises FileWriteError when anything
  // written did not reach the file.
  void Commit();

 private:
  TFileStream(std::FILE* file, bool writing, size_t bufferSize);
  void FillBuffer();

  std::FILE* file_;
  bool writing_;
  int64_t size_ = 0;
  int64_t position_ = 0;
  // Reading: buffer_ holds the file's bytes from bufferStart_ on. Writing: it
  // is stdio's buffer.
  size_t bufferSize_;
  std::unique_ptr<uint8_t[]> buffer_;
  int64_t bufferStart_ = 0;
  size_t bufferLength_ = 0;
};

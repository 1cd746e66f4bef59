#pragma once
// A file's bytes in memory of the program's own, read-only once read: what a
// scene's chunks are views of. Never a mapping of the file: a file that
// another program cuts short or rewrites while we hold its bytes must not
// crash us or leak into what we write. Released at once when the image goes.
//
// It may be read in steps: room for the whole file first, then the bytes in
// pieces, so that a load can walk each piece while it is still in the CPU's
// caches instead of fetching it all from memory a second time.

#include <cstdint>
#include <cstdio>
#include <optional>
#include <thread>

#include "os/FileState.h"
#include "os/FileSystem.h"

namespace os {

class FileImage {
 public:
  FileImage() = default;
  FileImage(FileImage&& other) noexcept;
  FileImage& operator=(FileImage&& other) noexcept;
  FileImage(const FileImage&) = delete;
  FileImage& operator=(const FileImage&) = delete;
  ~FileImage();

  const uint8_t* Data() const { return data_; }
  // The room it has; the first Filled() bytes of it are read.
  size_t Size() const { return size_; }
  size_t Filled() const { return filled_; }

  // Takes room for the first `length` bytes of a file opened for reading
  // (its length, from FileLength, to take it whole), reading none yet, and
  // notes how the file looks.
  Status Begin(std::FILE* file, uint64_t length);
  // Reads on from the same file, in pieces at their offsets (its position
  // stays), until at least `upTo` bytes are in, or all. Fails with the
  // system's reason, or when the file ends before them: it changed while it
  // was being read.
  Status ReadTo(std::FILE* file, size_t upTo);
  // Reads the rest, then fails when the file no longer looks as it did at
  // Begin.
  Status Finish(std::FILE* file);

 private:
  void Release();
  // Waits for the thread that makes the room's pages present, if one runs.
  void StopPopulating();

  uint8_t* data_ = nullptr;
  size_t size_ = 0;  // of data_, which came from AllocateLarge
  size_t filled_ = 0;
  std::optional<FileState> before_;  // when the system tells
  // Makes the room's pages present ahead of the reads on a second core, so
  // that the reads copy into pages the system has already cleared.
  std::thread populating_;
};

// Reads the first `length` bytes of a file opened for reading whole: Begin,
// then Finish. `image` is empty after a failure.
Status LoadFile(std::FILE* file, uint64_t length, FileImage& image);

}  // namespace os

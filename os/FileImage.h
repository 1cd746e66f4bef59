#pragma once
// A file's bytes in memory of the program's own, read-only once read: what a
// scene's chunks are views of. Never a mapping of the file: a file that
// another program cuts short or rewrites while we hold its bytes must not
// crash us or leak into what we write. Released at once when the image goes.

#include <cstdint>
#include <cstdio>

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
  size_t Size() const { return size_; }

 private:
  friend Status LoadFile(std::FILE* file, uint64_t length, FileImage& image);
  void Release();

  uint8_t* data_ = nullptr;
  size_t size_ = 0;  // of data_, which came from AllocateLarge
};

// Reads the first `length` bytes of a file opened for reading (its length,
// from FileLength, to take it whole) in a few large reads at their offsets,
// leaving the file's position alone. Fails with the system's reason, or when
// the file ends before them: it changed while it was being read.
Status LoadFile(std::FILE* file, uint64_t length, FileImage& image);

}  // namespace os

#pragma once
// A whole file's bytes in memory, read-only: what a scene's chunks are views
// of. Released at once when the image goes.

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

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
  friend Status LoadFile(std::FILE* file, FileImage& image);
  friend Status WriteRuns(std::FILE* file, std::span<const ByteRun> runs);
  // Reads `size` bytes from the file's start into memory of the image's own;
  // fewer when the file has become shorter since.
  Status Read(std::FILE* file, uint64_t size);
  void Release();

  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
  // The file mapped, kept open so that its bytes can be copied from file to
  // file; -1 otherwise.
  int source_ = -1;
  // Gives everything back the way it was had: unmapped and closed, or deleted.
  void (*release_)(FileImage& image) = nullptr;
};

// Takes in the whole of a regular file opened for reading, and closes it.
// POSIX maps it: nothing is copied, and a save, which puts a new file in the
// old one's place, leaves the mapped bytes as they were (a program that
// rewrites or cuts short the same file in place while the image lives is not
// guarded against: scene2 holds an image only for one command). Windows reads
// it in one piece: a mapped file can't be cut short by any program while it
// is mapped, and the editor holds its scene for as long as it runs. Fails,
// with the system's reason, when the bytes can't be had.
Status LoadFile(std::FILE* file, FileImage& image);

}  // namespace os

#include "os/FileImage.h"

#include <algorithm>
#include <new>
#include <optional>
#include <utility>

#include "os/FileState.h"
#include "os/LargeMemory.h"

namespace os {
namespace {

// Pieces of a read: large, yet small enough for any file system's driver.
constexpr size_t kReadPiece = 16 << 20;

}  // namespace

FileImage::FileImage(FileImage&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

FileImage& FileImage::operator=(FileImage&& other) noexcept {
  if (this != &other) {
    Release();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
  }
  return *this;
}

FileImage::~FileImage() { Release(); }

void FileImage::Release() {
  FreeLarge(data_, size_);
  data_ = nullptr;
  size_ = 0;
}

Status LoadFile(std::FILE* file, uint64_t length, FileImage& image) {
  image = FileImage();
  if (length > SIZE_MAX) return Failure{"the file is too large to hold in memory"};
  if (length == 0) return Done{};
  FileImage read;
  // Taken before the read, so that a change while it reads shows after it.
  const std::optional<FileState> before = StateOf(file);
  read.size_ = static_cast<size_t>(length);
  read.data_ = static_cast<uint8_t*>(AllocateLarge(read.size_));
  if (read.data_ == nullptr) {
    read.size_ = 0;
    return Failure{"not enough memory to hold the file"};
  }
  for (size_t done = 0; done < read.size_;) {
    Result<size_t> got = ReadAt(file, done, read.data_ + done, std::min(kReadPiece, read.size_ - done));
    if (!got.ok()) return got.failure();
    if (got.value() == 0) return Failure{"the file changed while it was being read"};
    done += got.value();
  }
  if (before && StateOf(file) != before) return Failure{"the file changed while it was being read"};
  image = std::move(read);
  return Done{};
}

}  // namespace os

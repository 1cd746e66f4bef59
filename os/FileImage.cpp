#include "os/FileImage.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <utility>

namespace os {
namespace {

// Pieces of a read: large, yet small enough for any file system's driver.
constexpr size_t kReadPiece = 16 << 20;

}  // namespace

FileImage::FileImage(FileImage&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      source_(std::exchange(other.source_, -1)),
      release_(std::exchange(other.release_, nullptr)) {}

FileImage& FileImage::operator=(FileImage&& other) noexcept {
  if (this != &other) {
    Release();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    source_ = std::exchange(other.source_, -1);
    release_ = std::exchange(other.release_, nullptr);
  }
  return *this;
}

FileImage::~FileImage() { Release(); }

void FileImage::Release() {
  if (release_ != nullptr) release_(*this);
  data_ = nullptr;
  size_ = 0;
  source_ = -1;
  release_ = nullptr;
}

Status FileImage::Read(std::FILE* file, uint64_t size) {
  if (size > SIZE_MAX) return Failure{"the file is too large to hold in memory"};
  if (size == 0) return Done{};
  auto* bytes = new (std::nothrow) uint8_t[static_cast<size_t>(size)];
  if (bytes == nullptr) return Failure{"not enough memory to hold the file"};
  size_t done = 0;
  while (done < size) {
    const size_t piece = std::min(kReadPiece, static_cast<size_t>(size) - done);
    const size_t got = std::fread(bytes + done, 1, piece, file);
    done += got;
    if (got < piece) break;
  }
  if (std::ferror(file)) {
    const Failure failed{std::strerror(errno)};
    delete[] bytes;
    return failed;
  }
  Release();
  data_ = bytes;
  size_ = done;
  release_ = [](FileImage& image) { delete[] image.data_; };
  return Done{};
}

}  // namespace os

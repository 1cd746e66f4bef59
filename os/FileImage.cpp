#include "os/FileImage.h"

#include <algorithm>
#include <new>
#include <utility>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace os {
namespace {

// Pieces of a read: large, yet small enough for any file system's driver.
constexpr size_t kReadPiece = 16 << 20;

// Memory for `size` bytes. On Linux, anonymous pages asked to come as huge
// pages: filling hundreds of megabytes then costs few page faults.
uint8_t* Allocate(size_t size, bool& mapped) {
#ifdef __linux__
  void* pages = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (pages != MAP_FAILED) {
    madvise(pages, size, MADV_HUGEPAGE);
    mapped = true;
    return static_cast<uint8_t*>(pages);
  }
#endif
  mapped = false;
  return new (std::nothrow) uint8_t[size];
}

}  // namespace

FileImage::FileImage(FileImage&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      mapped_(std::exchange(other.mapped_, false)) {}

FileImage& FileImage::operator=(FileImage&& other) noexcept {
  if (this != &other) {
    Release();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    mapped_ = std::exchange(other.mapped_, false);
  }
  return *this;
}

FileImage::~FileImage() { Release(); }

void FileImage::Release() {
#ifdef __linux__
  if (mapped_) munmap(data_, size_);
#endif
  if (!mapped_) delete[] data_;
  data_ = nullptr;
  size_ = 0;
  mapped_ = false;
}

Status LoadFile(std::FILE* file, uint64_t length, FileImage& image) {
  image = FileImage();
  if (length > SIZE_MAX) return Failure{"the file is too large to hold in memory"};
  if (length == 0) return Done{};
  FileImage read;
  read.size_ = static_cast<size_t>(length);
  read.data_ = Allocate(read.size_, read.mapped_);
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
  image = std::move(read);
  return Done{};
}

}  // namespace os

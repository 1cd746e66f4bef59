#include "os/FileImage.h"

#include <algorithm>
#include <new>
#include <system_error>
#include <utility>

#include "os/LargeMemory.h"

namespace os {
namespace {

// Pieces of a read: small enough that a piece and the system's copy it came
// from stay in a core's own cache until it is walked (a megabyte went out to
// the shared cache and cost a third more), large enough that the calls cost
// next to nothing.
constexpr size_t kReadPiece = 256 << 10;

// Below this a second thread costs more than the clearing of pages it saves.
constexpr size_t kPopulateFrom = 16 << 20;

}  // namespace

FileImage::FileImage(FileImage&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      filled_(std::exchange(other.filled_, 0)),
      before_(std::exchange(other.before_, std::nullopt)),
      populating_(std::move(other.populating_)) {}

FileImage& FileImage::operator=(FileImage&& other) noexcept {
  if (this != &other) {
    Release();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    filled_ = std::exchange(other.filled_, 0);
    before_ = std::exchange(other.before_, std::nullopt);
    populating_ = std::move(other.populating_);  // it works on the room that moves with it
  }
  return *this;
}

FileImage::~FileImage() { Release(); }

void FileImage::StopPopulating() {
  if (populating_.joinable()) populating_.join();
}

void FileImage::Release() {
  StopPopulating();
  FreeLarge(data_, size_);
  data_ = nullptr;
  size_ = 0;
  filled_ = 0;
  before_.reset();
}

Status FileImage::Begin(std::FILE* file, uint64_t length) {
  Release();
  if (length > SIZE_MAX) return Failure{"the file is too large to hold in memory"};
  if (length == 0) return Done{};
  // Taken before the read, so that a change while it reads shows after it.
  before_ = StateOf(file);
  data_ = static_cast<uint8_t*>(AllocateLarge(static_cast<size_t>(length)));
  if (data_ == nullptr) return Failure{"not enough memory to hold the file"};
  size_ = static_cast<size_t>(length);
  if (size_ >= kPopulateFrom) {
    try {
      populating_ = std::thread([data = data_, size = size_] { PopulateLarge(data, size); });
    } catch (const std::system_error&) {
      // No thread: the reads fault the pages in themselves.
    }
  }
  return Done{};
}

Status FileImage::ReadTo(std::FILE* file, size_t upTo) {
  upTo = std::min(upTo, size_);
  while (filled_ < upTo) {
    Result<size_t> got = ReadAt(file, filled_, data_ + filled_, std::min(kReadPiece, size_ - filled_));
    if (!got.ok()) return got.failure();
    if (got.value() == 0) return Failure{"the file changed while it was being read"};
    filled_ += got.value();
  }
  return Done{};
}

Status FileImage::Finish(std::FILE* file) {
  Status read = ReadTo(file, size_);
  StopPopulating();
  if (!read.ok()) return read;
  if (before_ && StateOf(file) != before_) return Failure{"the file changed while it was being read"};
  return Done{};
}

Status LoadFile(std::FILE* file, uint64_t length, FileImage& image) {
  FileImage read;
  Status done = read.Begin(file, length);
  if (done.ok()) done = read.Finish(file);
  image = done.ok() ? std::move(read) : FileImage();
  return done;
}

}  // namespace os

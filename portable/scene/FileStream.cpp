#include "scene/FileStream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

#include "os/FileSystem.h"
#include "scene/Exception.h"

namespace {

using os::SeekFile;
using os::TellFile;

FileWriteError WriteFailure() {
  const std::string reason = std::strerror(errno);
  return FileWriteError("write failed: " + reason, reason);
}

}  // namespace

TFileStream::TFileStream(std::FILE* file, bool writing, size_t bufferSize)
    : file_(file), writing_(writing), bufferSize_(bufferSize), buffer_(new uint8_t[bufferSize]) {}

TFileStream::~TFileStream() {
  if (file_ != nullptr) std::fclose(file_);
}

os::Result<std::unique_ptr<TFileStream>> TFileStream::OpenRead(const std::string& path, size_t bufferSize) {
  os::Result<std::FILE*> opened = os::OpenForReading(path);
  if (!opened.ok()) return opened.failure();
  std::FILE* file = opened.value();
  std::unique_ptr<TFileStream> stream(new TFileStream(file, false, bufferSize));
  std::setvbuf(file, nullptr, _IONBF, 0);
  if (SeekFile(file, 0, SEEK_END).ok())
    if (os::Result<int64_t> end = TellFile(file); end.ok()) stream->size_ = end.value();
  (void)SeekFile(file, 0, SEEK_SET);  // each read seeks to its own position
  return stream;
}

os::Result<std::unique_ptr<TFileStream>> TFileStream::Create(const std::string& path) {
  os::Result<std::FILE*> file = os::OpenForWriting(path);
  if (!file.ok()) return file.failure();
  return Writing(file.value());
}

std::unique_ptr<TFileStream> TFileStream::Writing(std::FILE* file) {
  std::unique_ptr<TFileStream> stream(new TFileStream(file, true, kDefaultBufferSize));
  // The read buffer, unused when writing, becomes stdio's: given no buffer,
  // glibc ignores the size asked for and writes in 4 KiB pieces.
  std::setvbuf(file, reinterpret_cast<char*>(stream->buffer_.get()), _IOFBF, stream->bufferSize_);
  return stream;
}

void TFileStream::FillBuffer() {
  bufferStart_ = position_;
  bufferLength_ = 0;
  if (!SeekFile(file_, position_, SEEK_SET).ok()) return;
  bufferLength_ = std::fread(buffer_.get(), 1, bufferSize_, file_);
}

size_t TFileStream::Read(void* buffer, size_t count) {
  if (writing_ || position_ < 0 || position_ >= size_) return 0;
  count = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(count), size_ - position_));
  auto* out = static_cast<uint8_t*>(buffer);
  size_t done = 0;
  while (done < count) {
    const bool inBuffer = position_ >= bufferStart_ && position_ < bufferStart_ + static_cast<int64_t>(bufferLength_);
    if (!inBuffer) {
      // A large read goes straight into the caller's memory.
      if (count - done >= bufferSize_) {
        if (!SeekFile(file_, position_, SEEK_SET).ok()) break;
        const size_t got = std::fread(out + done, 1, count - done, file_);
        done += got;
        position_ += static_cast<int64_t>(got);
        break;
      }
      FillBuffer();
      if (bufferLength_ == 0) break;
    }
    const size_t offset = static_cast<size_t>(position_ - bufferStart_);
    const size_t taken = std::min(count - done, bufferLength_ - offset);
    std::memcpy(out + done, buffer_.get() + offset, taken);
    done += taken;
    position_ += static_cast<int64_t>(taken);
  }
  return done;
}

void TFileStream::Write(const void* buffer, size_t count) {
  if (!writing_ || std::fwrite(buffer, 1, count, file_) != count) throw WriteFailure();
  position_ += static_cast<int64_t>(count);
  size_ = std::max(size_, position_);
}

void TFileStream::WriteRuns(std::span<const os::ByteRun> runs) {
  if (!writing_) throw WriteFailure();
  if (const os::Status written = os::WriteRuns(file_, runs); !written.ok())
    throw FileWriteError("write failed: " + written.reason(), written.reason());
  for (const os::ByteRun& run : runs) position_ += static_cast<int64_t>(run.size);
  size_ = std::max(size_, position_);
}

void TFileStream::Seek(int64_t offset, Origin origin) {
  const int64_t target = origin == Origin::Begin ? offset : position_ + offset;
  if (writing_ && !SeekFile(file_, target, SEEK_SET).ok()) throw WriteFailure();
  position_ = target;
}

void TFileStream::Commit() {
  std::FILE* file = file_;
  file_ = nullptr;
  // The reason is taken at the first failure, before the next call changes errno.
  std::optional<FileWriteError> failure;
  if (std::fflush(file) != 0) failure = WriteFailure();
  if (std::fclose(file) != 0 && !failure) failure = WriteFailure();
  if (failure) throw *failure;
}

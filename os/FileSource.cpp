#include "os/FileSource.h"

#include <utility>

#ifdef __linux__
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace os {

FileSource::FileSource(FileSource&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)), state_(other.state_) {}

FileSource& FileSource::operator=(FileSource&& other) noexcept {
  if (this != &other) {
    Close();
    descriptor_ = std::exchange(other.descriptor_, -1);
    state_ = other.state_;
  }
  return *this;
}

#ifdef __linux__

FileSource::~FileSource() { Close(); }

void FileSource::Close() {
  if (descriptor_ >= 0) close(descriptor_);
  descriptor_ = -1;
}

bool FileSource::StateOf(int descriptor, State& state) {
  struct stat info {};
  if (fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) return false;
  state = {info.st_dev,         info.st_ino,          static_cast<unsigned long long>(info.st_size),
           info.st_mtim.tv_sec, info.st_mtim.tv_nsec, info.st_ctim.tv_sec,
           info.st_ctim.tv_nsec};
  return true;
}

FileSource FileSource::Of(std::FILE* file) {
  FileSource source;
  const int descriptor = fcntl(fileno(file), F_DUPFD_CLOEXEC, 0);
  if (descriptor < 0) return source;
  source.descriptor_ = descriptor;
  if (!StateOf(descriptor, source.state_)) source = FileSource();
  return source;
}

bool FileSource::Unchanged() const {
  State now;
  return descriptor_ >= 0 && StateOf(descriptor_, now) && now == state_;
}

#else

FileSource::~FileSource() = default;

void FileSource::Close() {}

bool FileSource::StateOf(int, State&) { return false; }

FileSource FileSource::Of(std::FILE*) { return {}; }

bool FileSource::Unchanged() const { return false; }

#endif

}  // namespace os

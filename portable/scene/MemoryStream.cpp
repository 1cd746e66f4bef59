#include "scene/MemoryStream.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

TMemoryStream::TMemoryStream(const void* bytes, size_t count) {
  Write(bytes, count);
  position_ = 0;
}

size_t TMemoryStream::Read(void* buffer, size_t count) {
  if (position_ < 0 || static_cast<uint64_t>(position_) >= size_) return 0;
  const size_t available = size_ - static_cast<size_t>(position_);
  const size_t taken = std::min(count, available);
  std::memcpy(buffer, buffer_.get() + position_, taken);
  position_ += static_cast<int64_t>(taken);
  return taken;
}

void TMemoryStream::Reserve(size_t capacity) {
  if (capacity <= capacity_) return;
  std::unique_ptr<uint8_t[]> grown(new uint8_t[capacity]);
  if (size_ > 0) std::memcpy(grown.get(), buffer_.get(), size_);
  buffer_ = std::move(grown);
  capacity_ = capacity;
}

void TMemoryStream::Write(const void* buffer, size_t count) {
  if (count == 0) return;
  // A caller's bug, not a shortage of memory: say so rather than "Out of memory".
  if (position_ < 0) throw std::out_of_range("a write before the start of a stream");
  const uint64_t start = static_cast<uint64_t>(position_);
  if (count > SIZE_MAX - start) throw std::bad_alloc();
  const size_t end = static_cast<size_t>(start) + count;
  if (end > capacity_) Reserve(std::max({end, size_, capacity_ + capacity_ / 2}));
  // A write past the end leaves no gap of stale bytes.
  if (start > size_) std::memset(buffer_.get() + size_, 0, static_cast<size_t>(start) - size_);
  std::memcpy(buffer_.get() + start, buffer, count);
  size_ = std::max(size_, end);
  position_ = static_cast<int64_t>(end);
}

void TMemoryStream::Seek(int64_t offset, Origin origin) {
  position_ = origin == Origin::Begin ? offset : position_ + offset;
}

size_t TMemoryStream::AppendFrom(TStream& source, size_t count) {
  if (count > SIZE_MAX - size_) throw std::bad_alloc();
  Reserve(size_ + count);
  const size_t arrived = source.Read(buffer_.get() + size_, count);
  size_ += arrived;
  position_ = static_cast<int64_t>(size_);
  return arrived;
}

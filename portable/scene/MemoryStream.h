#pragma once

#include <cstdint>
#include <memory>

#include "scene/Stream.h"

// An in-memory byte stream: where a chunk is built.
class TMemoryStream final : public TStream {
 public:
  TMemoryStream() = default;
  // A copy of the bytes, positioned at the start.
  TMemoryStream(const void* bytes, size_t count);

  size_t Read(void* buffer, size_t count) override;
  void Write(const void* buffer, size_t count) override;
  void Seek(int64_t offset, Origin origin) override;
  int64_t Position() const override { return position_; }
  int64_t Size() const override { return static_cast<int64_t>(size_); }

  // Appends up to `count` bytes read from `source` in one piece, reserving no
  // more than that; gives how many arrived. The position moves to the end.
  size_t AppendFrom(TStream& source, size_t count);

  const uint8_t* Data() const { return buffer_.get(); }
  size_t Length() const { return size_; }

 private:
  void Reserve(size_t capacity);

  std::unique_ptr<uint8_t[]> buffer_;
  size_t size_ = 0;
  size_t capacity_ = 0;  // of buffer_
  int64_t position_ = 0;
};

#pragma once

#include <cstdint>
#include <memory>

#include "scene/Stream.h"

// An in-memory byte stream: where a chunk is built, and a cursor over bytes
// that someone else owns.
class TMemoryStream final : public TStream {
 public:
  TMemoryStream() = default;
  // A copy of the bytes, positioned at the start.
  TMemoryStream(const void* bytes, size_t count);
  // A view of `count` bytes that someone else owns and keeps for as long as
  // the stream lives, positioned at its end. It reads only those bytes; the
  // first write copies them into a buffer of the stream's own and leaves
  // them as they were.
  static TMemoryStream ViewOf(const uint8_t* bytes, size_t count);

  size_t Read(void* buffer, size_t count) override;
  void Write(const void* buffer, size_t count) override;
  void Seek(int64_t offset, Origin origin) override;
  int64_t Position() const override { return position_; }
  int64_t Size() const override { return static_cast<int64_t>(size_); }

  // Appends up to `count` bytes read from `source` in one piece, reserving no
  // more than that; gives how many arrived. The position moves to the end.
  size_t AppendFrom(TStream& source, size_t count);

  const uint8_t* Data() const { return bytes_; }
  size_t Length() const { return size_; }

 private:
  struct View {};
  TMemoryStream(const uint8_t* bytes, size_t count, View);

  void Reserve(size_t capacity);

  std::unique_ptr<uint8_t[]> buffer_;  // null for a view
  const uint8_t* bytes_ = nullptr;     // buffer_'s bytes, or those viewed
  size_t size_ = 0;
  size_t capacity_ = 0;  // of buffer_; 0 for a view, so that a write takes the bytes in
  int64_t position_ = 0;
};

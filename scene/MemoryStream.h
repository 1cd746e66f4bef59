#pragma once

#include <cstdint>
#include <memory>

#include "scene/Stream.h"

class ChunkList;
class StreamPool;

// An in-memory byte stream. Every top-level chunk of a scene is one of these,
// holding the whole chunk, header included: a loaded chunk as a view of its
// bytes in the loaded block, one built anew in a buffer of its own.
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
  // A number that no other stream of the process had: tells a chunk from a
  // later one made at the same address once the first is gone.
  uint64_t Serial() const { return serial_; }

 private:
  friend class ChunkList;
  friend class StreamPool;

  struct View {};
  TMemoryStream(const uint8_t* bytes, size_t count, View);

  void Reserve(size_t capacity);
  static uint64_t NextSerial();

  std::unique_ptr<uint8_t[]> buffer_;  // null for a view
  const uint8_t* bytes_ = nullptr;     // buffer_'s bytes, or those viewed
  size_t size_ = 0;
  size_t capacity_ = 0;  // of buffer_; 0 for a view, so that a write takes the bytes in
  int64_t position_ = 0;
  uint64_t serial_ = NextSerial();

  // Which list holds this chunk and in which of its slots: lets a list find a
  // chunk by identity at once. Kept by ChunkList alone.
  const ChunkList* owner_ = nullptr;
  uint32_t slot_ = 0;
  // Made by a list's StreamPool, which alone may free it.
  bool pooled_ = false;
};

// A plain, non-owning reference to a chunk stream that a section list holds.
using PStream = TMemoryStream*;

// Names a chunk stream without keeping it: what a caller remembers across a
// wait during which the chunk may go (a plug-in's dialog). Ask the list
// whether it still holds it before using the stream.
struct ChunkIdentity {
  const TMemoryStream* stream = nullptr;  // not owned; may be gone
  uint64_t serial = 0;
};
inline ChunkIdentity IdentityOf(const TMemoryStream& chunk) { return {&chunk, chunk.Serial()}; }

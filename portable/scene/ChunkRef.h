#pragma once
// A chunk as the document's operations take and hand it out: its identity
// in the document (0 for a chunk that is in none yet) and its bytes. It
// keeps the bytes alive, so it never dangles: once the document has let go
// of the chunk, the identity is simply not found there any more.

#include <cstddef>

#include "scene/Chunk.h"

struct ChunkRef {
  ChunkRef() = default;
  ChunkRef(std::nullptr_t) {}  // NOLINT: a null reference, as a pointer's
  ChunkRef(ChunkId chunkId, Chunk bytes) : id(chunkId), chunk(std::move(bytes)) {}
  // A chunk that no document holds yet.
  explicit ChunkRef(Chunk bytes) : chunk(std::move(bytes)) {}

  explicit operator bool() const { return static_cast<bool>(chunk); }
  bool operator==(std::nullptr_t) const { return !chunk; }
  const Chunk* operator->() const { return &chunk; }
  const Chunk& operator*() const { return chunk; }
  ByteView Bytes() const { return chunk.Bytes(); }

  ChunkId id = 0;
  Chunk chunk;
};

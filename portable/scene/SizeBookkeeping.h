#pragma once

#include <cstdint>

// Adds `delta` to a signed 32-bit size (a section's, the file's) the way the
// stored field wraps. Every operation that changes a chunk's length adds the
// change to its list's section size and to the file size alike.
inline void AddToSize(int32_t& size, int64_t delta) {
  size = static_cast<int32_t>(static_cast<uint32_t>(size) + static_cast<uint32_t>(delta));
}

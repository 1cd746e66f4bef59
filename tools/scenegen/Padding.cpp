#include "tools/scenegen/Padding.h"

#include <algorithm>

#include "scene/LittleEndian.h"
#include "tools/scenegen/SceneItems.h"

namespace {
constexpr uint64_t kBlockSize = 64 * 1024;
}

void Padding::Write(ChunkWriter& out, TRandom& random, uint64_t count, PaddingStyle style) {
  while (count > 0) {
    const size_t length = static_cast<size_t>(std::min(count, kBlockSize));
    // Filled a little past `length` and cut there: the cut line or word is lost.
    block_.clear();
    while (block_.size() < length) {
      if (style == PaddingStyle::Script) {
        block_ += ScriptLine(random);
      } else {
        const uint64_t value = random.Next();
        uint8_t bytes[8];
        WriteU32LE(bytes, static_cast<uint32_t>(value));
        WriteU32LE(bytes + 4, static_cast<uint32_t>(value >> 32));
        block_.append(reinterpret_cast<const char*>(bytes), sizeof bytes);
      }
    }
    out.Bytes(block_.data(), length);
    count -= length;
  }
}

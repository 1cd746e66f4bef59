#include "scene/Stream.h"

#include "scene/LittleEndian.h"

void TStream::WriteRuns(std::span<const os::ByteRun> runs) {
  for (const os::ByteRun& run : runs) Write(run.data, run.size);
}

void TStream::WriteU32(uint32_t value) {
  uint8_t bytes[4];
  WriteU32LE(bytes, value);
  Write(bytes, sizeof bytes);
}

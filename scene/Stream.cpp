#include "scene/Stream.h"

#include "scene/LittleEndian.h"

void TStream::WriteRuns(std::span<const os::ByteRun> runs) {
  for (const os::ByteRun& run : runs) Write(run.data, run.size);
}

uint16_t TStream::ReadU16() {
  uint8_t bytes[2] = {};
  Read(bytes, sizeof bytes);
  return ReadU16LE(bytes);
}

uint32_t TStream::ReadU32() {
  uint8_t bytes[4] = {};
  Read(bytes, sizeof bytes);
  return ReadU32LE(bytes);
}

void TStream::WriteU16(uint16_t value) {
  uint8_t bytes[2];
  WriteU16LE(bytes, value);
  Write(bytes, sizeof bytes);
}

void TStream::WriteU32(uint32_t value) {
  uint8_t bytes[4];
  WriteU32LE(bytes, value);
  Write(bytes, sizeof bytes);
}

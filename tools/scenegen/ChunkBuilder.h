#pragma once
// Builds one chunk at a time in a buffer that is reused for the next: chunks
// nest, and each gets its size when it is closed. Bytes that the caller streams
// right after the buffer (padding too large to hold) are counted in by CloseAll.

#include <cstdint>
#include <string>
#include <vector>

class ChunkBuilder {
 public:
  // Starts an empty buffer; the one chunk built before is dropped.
  void Reset();

  void Open(uint16_t type);
  void Close();
  // Closes every open chunk, each size counting `trailing` more bytes.
  void CloseAll(uint32_t trailing);

  void U8(uint8_t value) { bytes_.push_back(value); }
  void U32(uint32_t value);
  void Float(float value);
  void Bytes(const std::string& bytes) { bytes_.insert(bytes_.end(), bytes.begin(), bytes.end()); }
  // A name as objects and definitions store it: its bytes and one zero byte.
  void Name(const std::string& name);
  // A name as init scripts and visual effects store it: a 32-bit length, then
  // its bytes.
  void CountedName(const std::string& name);

  const uint8_t* Data() const { return bytes_.data(); }
  size_t Length() const { return bytes_.size(); }

 private:
  void CloseInnermost(uint32_t trailing);

  std::vector<uint8_t> bytes_;
  std::vector<size_t> open_;  // where each open chunk starts, outermost first
};

#pragma once
// Memory whose last byte stands right before a page that can't be touched: a
// read or write at or past the end faults at once, natively and under Wine.

#include <cstddef>
#include <cstdint>
#include <vector>

class GuardedBlock {
 public:
  explicit GuardedBlock(size_t length);
  explicit GuardedBlock(const std::vector<uint8_t>& bytes);
  GuardedBlock(const GuardedBlock&) = delete;
  GuardedBlock& operator=(const GuardedBlock&) = delete;
  ~GuardedBlock();

  uint8_t* Data() const { return data_; }
  size_t Length() const { return length_; }
  std::vector<uint8_t> Bytes() const { return {data_, data_ + length_}; }

 private:
  void* mapping_ = nullptr;
  size_t mappingLength_ = 0;
  uint8_t* data_ = nullptr;
  size_t length_ = 0;
};

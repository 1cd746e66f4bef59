#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

// An array of plain values that grows a page at a time: nothing already in it
// is copied or moved as it grows, and a page is touched only as it is filled.
template <typename T, size_t kPageLength = 16384>
class PagedArray {
 public:
  size_t Size() const { return size_; }
  T& operator[](size_t index) { return pages_[index / kPageLength][index % kPageLength]; }
  const T& operator[](size_t index) const { return pages_[index / kPageLength][index % kPageLength]; }

  // Makes room for `size` values, so that pushing up to them allocates nothing.
  void Reserve(size_t size) {
    // Left uninitialised: each value is written as it is added.
    while (pages_.size() * kPageLength < size) pages_.push_back(std::unique_ptr<T[]>(new T[kPageLength]));
  }
  void PushBack(const T& value) {
    Reserve(size_ + 1);
    (*this)[size_++] = value;
  }
  void PopBack() { --size_; }
  void Clear() {
    std::vector<std::unique_ptr<T[]>>().swap(pages_);
    size_ = 0;
  }

  // Calls `visit` for every value in order.
  template <typename Visit>
  void ForEach(Visit&& visit) const {
    for (size_t page = 0; page * kPageLength < size_; ++page) {
      const size_t length = std::min(kPageLength, size_ - page * kPageLength);
      for (size_t index = 0; index < length; ++index) visit(pages_[page][index]);
    }
  }

 private:
  std::vector<std::unique_ptr<T[]>> pages_;
  size_t size_ = 0;
};

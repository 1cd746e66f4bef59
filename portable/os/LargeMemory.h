#pragma once
// Memory for large arrays that are filled once, front to back: a loaded
// file, the entries of a scene's lists. On Linux it comes as anonymous
// pages asked to be huge pages, so filling hundreds of megabytes costs a few
// page faults rather than one every 4 KiB; elsewhere, and for small sizes,
// from the heap.

#include <cstddef>
#include <cstdint>
#include <new>

namespace os {

// Null when there is no such memory. Freed by FreeLarge with the same size.
void* AllocateLarge(size_t size) noexcept;
void FreeLarge(void* memory, size_t size) noexcept;

// Makes the pages of memory from AllocateLarge present and writable, as a
// write to each would, without changing a byte: a thread that runs this
// ahead of the one filling the memory takes the system's clearing of fresh
// pages off the filler's path. Where the system can't, it does nothing.
void PopulateLarge(void* memory, size_t size) noexcept;

// An allocator for containers of large arrays.
template <typename T>
struct LargeAllocator {
  using value_type = T;
  LargeAllocator() = default;
  template <typename U>
  LargeAllocator(const LargeAllocator<U>&) noexcept {}  // NOLINT: rebinding, as allocators do

  T* allocate(size_t count) {
    if (count > SIZE_MAX / sizeof(T)) throw std::bad_alloc();
    void* memory = AllocateLarge(count * sizeof(T));
    if (memory == nullptr) throw std::bad_alloc();
    // A container fills what it takes: the pages made present at once cost
    // far less than a fault for each.
    PopulateLarge(memory, count * sizeof(T));
    return static_cast<T*>(memory);
  }
  void deallocate(T* memory, size_t count) noexcept { FreeLarge(memory, count * sizeof(T)); }
  template <typename U>
  bool operator==(const LargeAllocator<U>&) const noexcept {
    return true;
  }
};

}  // namespace os

#include "os/LargeMemory.h"

#include <cstdint>
#include <cstdlib>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace os {
namespace {

// Below a huge page the heap does as well, and keeps small lists cheap.
constexpr size_t kLargeFrom = size_t{2} << 20;

}  // namespace

void* AllocateLarge(size_t size) noexcept {
#ifdef __linux__
  if (size >= kLargeFrom) {
    void* pages = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (pages == MAP_FAILED) return nullptr;
    madvise(pages, size, MADV_HUGEPAGE);
    return pages;
  }
#endif
  return std::malloc(size == 0 ? 1 : size);
}

void FreeLarge(void* memory, size_t size) noexcept {
  if (memory == nullptr) return;
#ifdef __linux__
  if (size >= kLargeFrom) {
    munmap(memory, size);
    return;
  }
#endif
  static_cast<void>(size);
  std::free(memory);
}

}  // namespace os

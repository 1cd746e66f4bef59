#include "os/LargeMemory.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace os {
namespace {

// From a quarter of a huge page on, one huge page costs one fault where the
// heap's small pages cost hundreds; below it the heap keeps small lists cheap.
constexpr size_t kHugePage = size_t{2} << 20;
constexpr size_t kLargeFrom = kHugePage / 4;

#ifdef __linux__
// Whole huge pages: only those the mapping covers entirely can be huge.
size_t MappedLength(size_t size) { return (size + kHugePage - 1) & ~(kHugePage - 1); }
#endif

}  // namespace

void* AllocateLarge(size_t size) noexcept {
#ifdef __linux__
  if (size >= kLargeFrom) {
    // Mapped one huge page too long, then trimmed to start on a huge page's
    // boundary: the system places a mapping only on a small page's.
    const size_t length = MappedLength(size);
    if (length < size || length > SIZE_MAX - kHugePage) return nullptr;
    void* pages = mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (pages == MAP_FAILED) return nullptr;
    auto* const mapped = static_cast<uint8_t*>(pages);
    const auto start = reinterpret_cast<uintptr_t>(mapped);
    auto* const aligned = mapped + ((kHugePage - start % kHugePage) % kHugePage);
    if (aligned > mapped) munmap(mapped, static_cast<size_t>(aligned - mapped));
    if (const size_t after = static_cast<size_t>(mapped + length + kHugePage - (aligned + length)); after > 0)
      munmap(aligned + length, after);
    madvise(aligned, length, MADV_HUGEPAGE);
    return aligned;
  }
#endif
  return std::malloc(size == 0 ? 1 : size);
}

void FreeLarge(void* memory, size_t size) noexcept {
  if (memory == nullptr) return;
#ifdef __linux__
  if (size >= kLargeFrom) {
    munmap(memory, MappedLength(size));
    return;
  }
#endif
  static_cast<void>(size);
  std::free(memory);
}

void PopulateLarge(void* memory, size_t size) noexcept {
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
  if (memory == nullptr || size < kLargeFrom) return;
  // In steps, so that the filler, which starts at the front, meets pages
  // already present soon; an older kernel refuses the advice, and then
  // the filler's own faults do the work as before.
  constexpr size_t kStep = 4 * kHugePage;
  auto* const pages = static_cast<uint8_t*>(memory);
  const size_t length = MappedLength(size);
  for (size_t at = 0; at < length; at += kStep)
    if (madvise(pages + at, std::min(kStep, length - at), MADV_POPULATE_WRITE) != 0) return;
#else
  static_cast<void>(memory);
  static_cast<void>(size);
#endif
}

}  // namespace os

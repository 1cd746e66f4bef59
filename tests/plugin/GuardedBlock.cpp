#include "tests/plugin/GuardedBlock.h"

#include <cstring>
#include <new>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

size_t PageSize() {
#ifdef _WIN32
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  return info.dwPageSize;
#else
  return static_cast<size_t>(sysconf(_SC_PAGESIZE));
#endif
}

}  // namespace

GuardedBlock::GuardedBlock(size_t length) : length_(length) {
  const size_t page = PageSize();
  const size_t dataPages = (length + page - 1) / page;
  mappingLength_ = (dataPages + 1) * page;
  auto* guard = static_cast<uint8_t*>(nullptr);
#ifdef _WIN32
  mapping_ = VirtualAlloc(nullptr, mappingLength_, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  if (mapping_ == nullptr) throw std::bad_alloc();
  guard = static_cast<uint8_t*>(mapping_) + dataPages * page;
  DWORD previous = 0;
  VirtualProtect(guard, page, PAGE_NOACCESS, &previous);
#else
  mapping_ = mmap(nullptr, mappingLength_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapping_ == MAP_FAILED) throw std::bad_alloc();
  guard = static_cast<uint8_t*>(mapping_) + dataPages * page;
  mprotect(guard, page, PROT_NONE);
#endif
  data_ = guard - length;
}

GuardedBlock::GuardedBlock(const std::vector<uint8_t>& bytes) : GuardedBlock(bytes.size()) {
  if (!bytes.empty()) std::memcpy(data_, bytes.data(), bytes.size());
}

GuardedBlock::~GuardedBlock() {
#ifdef _WIN32
  VirtualFree(mapping_, 0, MEM_RELEASE);
#else
  munmap(mapping_, mappingLength_);
#endif
}

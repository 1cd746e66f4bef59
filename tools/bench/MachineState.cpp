#include "tools/bench/MachineState.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <vector>

void ReadIntoPageCache(const std::string& path) {
  const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (file < 0) throw std::runtime_error("cannot open " + path + ": " + std::strerror(errno));
  // Written pages must reach the disk before the cache lets them go.
  fdatasync(file);
  posix_fadvise(file, 0, 0, POSIX_FADV_DONTNEED);
  std::vector<char> block(1 << 20);
  ssize_t got = 0;
  while ((got = read(file, block.data(), block.size())) > 0) {
  }
  const int error = errno;
  close(file);
  if (got < 0) throw std::runtime_error("cannot read " + path + ": " + std::strerror(error));
}

void SettleWrites() { sync(); }

void WarmMemory(uint64_t bytes) {
  if (bytes == 0) return;
  void* const memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
  if (memory == MAP_FAILED)
    throw std::runtime_error(std::string("cannot take memory to warm: ") + std::strerror(errno));
  munmap(memory, bytes);
}

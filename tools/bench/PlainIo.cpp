#include "tools/bench/PlainIo.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace {

constexpr size_t kReadBlock = 8 << 20;
constexpr size_t kCopyBlock = 1 << 20;

[[noreturn]] void Fail(const std::string& what, const std::string& path) {
  throw std::runtime_error(what + " " + path + ": " + std::strerror(errno));
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File Open(const std::string& path, const char* mode) {
  File file(std::fopen(path.c_str(), mode));
  if (!file) Fail("cannot open", path);
  return file;
}

}  // namespace

uint64_t PlainRead(const std::string& path, ReadBuffer& buffer) {
  File file = Open(path, "rb");
  if (fseeko(file.get(), 0, SEEK_END) != 0) Fail("cannot seek in", path);
  const auto size = static_cast<size_t>(ftello(file.get()));
  std::rewind(file.get());
  if (size > buffer.capacity) {
    // Not zeroed, like a chunk's buffer: the pages are touched first by the read.
    buffer.bytes.reset(new uint8_t[size]);
    buffer.capacity = size;
  }
  size_t done = 0;
  while (done < size) {
    const size_t got = std::fread(buffer.bytes.get() + done, 1, std::min(kReadBlock, size - done), file.get());
    if (got == 0) Fail("cannot read", path);
    done += got;
  }
  return done;
}

void PlainCopy(const std::string& from, const std::string& to) {
  File in = Open(from, "rb");
  File out = Open(to, "wb");
  std::unique_ptr<uint8_t[]> block(new uint8_t[kCopyBlock]);
  while (const size_t got = std::fread(block.get(), 1, kCopyBlock, in.get())) {
    if (std::fwrite(block.get(), 1, got, out.get()) != got) Fail("cannot write", to);
  }
  if (std::ferror(in.get())) Fail("cannot read", from);
  if (std::fclose(out.release()) != 0) Fail("cannot write", to);
}

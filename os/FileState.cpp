#include "os/FileState.h"

#ifdef __linux__
#include <sys/stat.h>
#endif

namespace os {

#ifdef __linux__

std::optional<FileState> StateOf(std::FILE* file) {
  struct stat info {};
  if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return FileState{info.st_dev,         info.st_ino,          static_cast<unsigned long long>(info.st_size),
                   info.st_mtim.tv_sec, info.st_mtim.tv_nsec, info.st_ctim.tv_sec,
                   info.st_ctim.tv_nsec};
}

#else

std::optional<FileState> StateOf(std::FILE*) { return std::nullopt; }

#endif

}  // namespace os

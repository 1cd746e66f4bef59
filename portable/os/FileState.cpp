#include "os/FileState.h"

#ifdef __linux__
#include <sys/stat.h>
#elif defined(_WIN32)
#include <windows.h>
// After <windows.h>.
#include <io.h>
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

#elif defined(_WIN32)

namespace {

long long Ticks(LARGE_INTEGER time) { return time.QuadPart; }

}  // namespace

std::optional<FileState> StateOf(std::FILE* file) {
  HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
  BY_HANDLE_FILE_INFORMATION identity{};
  FILE_BASIC_INFO times{};
  if (handle == INVALID_HANDLE_VALUE || GetFileType(handle) != FILE_TYPE_DISK ||
      !GetFileInformationByHandle(handle, &identity) ||
      !GetFileInformationByHandleEx(handle, FileBasicInfo, &times, sizeof times))
    return std::nullopt;
  // Times in 100-nanosecond ticks; the change time, which no program sets
  // back, moves with every write.
  return FileState{identity.dwVolumeSerialNumber,
                   (static_cast<unsigned long long>(identity.nFileIndexHigh) << 32) | identity.nFileIndexLow,
                   (static_cast<unsigned long long>(identity.nFileSizeHigh) << 32) | identity.nFileSizeLow,
                   Ticks(times.LastWriteTime),
                   0,
                   Ticks(times.ChangeTime),
                   0};
}

#else

std::optional<FileState> StateOf(std::FILE*) { return std::nullopt; }

#endif

}  // namespace os

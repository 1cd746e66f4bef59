#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "os/FileSystem.h"
#include "os/LinksWin32.h"
#include "os/MakeFolder.h"
#include "os/Paths.h"
#include "os/WideText.h"
#include "os/Win32Error.h"

namespace os {
namespace {

constexpr int kAttempts = 100;           // fresh names to try before giving up
constexpr int kMaxLinks = 40;            // links in a row, as POSIX systems allow
constexpr DWORD kNoSuchDevice = 433;     // ERROR_NO_SUCH_DEVICE, which MinGW's headers lack
constexpr DWORD kReplaceRetryMs = 1000;  // how long a held target is tried again
constexpr DWORD kReplaceStepMs = 50;
// Runs from this length on are written straight from where they lie, in
// pieces that any file system's driver takes.
constexpr size_t kDirectRun = 64 << 10;
constexpr size_t kWritePiece = 16 << 20;

}  // namespace

std::string Win32ErrorText(unsigned long code, const std::string& subject) {
  wchar_t wide[512] = {};
  const DWORD wideLength = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                          wide, sizeof wide / sizeof *wide, nullptr);
  const std::string text = Narrow({wide, wideLength});
  const size_t length = text.size();
  std::string result;
  for (size_t i = 0; i < length; ++i) {
    // An insert is % and a digit; the text holds no others.
    if (text[i] == '%' && i + 1 < length && text[i + 1] >= '1' && text[i + 1] <= '9') {
      result += subject;
      ++i;
    } else {
      result += text[i];
    }
  }
  while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' ')) result.pop_back();
  return result.empty() ? "system error " + std::to_string(code) : result;
}

namespace {

Failure LastFailure() { return {Win32ErrorText(GetLastError())}; }

HANDLE HandleOf(std::FILE* file) { return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file))); }

// The C runtime's FILE over a handle, which it then owns; null when it fails
// (the handle is closed then too).
std::FILE* StreamOf(HANDLE handle, int flags, const char* mode) {
  const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), flags);
  if (descriptor < 0) {
    CloseHandle(handle);
    return nullptr;
  }
  std::FILE* file = _fdopen(descriptor, mode);
  if (file == nullptr) _close(descriptor);
  return file;
}

// Why a save or a load must not touch what `path` names; empty when it is a
// regular file (or does not exist, with `exists` false). `finalPath`, when
// given, gets the path of the file reached through any links.
std::string Refusal(const std::string& path, bool& exists, DWORD& attributes, std::string* finalPath = nullptr) {
  // No access asked: this only looks, so no other program's sharing is in the way.
  HANDLE handle = CreateFileW(Widen(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  exists = handle != INVALID_HANDLE_VALUE;
  if (!exists) {
    // A device node whose device is missing (Wine shows those) is there all the same.
    exists = GetLastError() == kNoSuchDevice;
    return exists ? "not a regular file (a device node with no device behind it)" : "";
  }
  const DWORD type = GetFileType(handle);
  BY_HANDLE_FILE_INFORMATION info{};
  const bool known = GetFileInformationByHandle(handle, &info);
  if (finalPath != nullptr) *finalPath = FinalPathOf(handle);
  CloseHandle(handle);
  attributes = known ? info.dwFileAttributes : 0;
  // Wine gives a block device the type of a disk file, but no file information.
  if (type != FILE_TYPE_DISK || !known) return "not a regular file (a device, pipe or socket)";
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return "a folder, not a file";
  return "";
}

}  // namespace

Result<std::FILE*> OpenForReading(const std::string& path) {
  bool exists = false;
  DWORD attributes = 0;
  if (std::string refusal = Refusal(path, exists, attributes); !refusal.empty()) return Failure{refusal, true};
  HANDLE handle = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return LastFailure();
  std::FILE* file = StreamOf(handle, _O_RDONLY | _O_BINARY, "rb");
  if (file == nullptr) return Failure{"the file could not be opened"};
  return file;
}

Result<std::FILE*> OpenForWriting(const std::string& path) {
  std::FILE* file = _wfopen(Widen(path).c_str(), L"wb");
  if (file == nullptr) return Failure{std::strerror(errno)};
  return file;
}

Status WriteRuns(std::FILE* file, std::span<const ByteRun> runs) {
  for (const ByteRun& run : runs) {
    if (run.size < kDirectRun) {
      if (std::fwrite(run.data, 1, run.size, file) != run.size) return Failure{std::strerror(errno)};
      continue;
    }
    if (std::fflush(file) != 0) return Failure{std::strerror(errno)};
    const HANDLE handle = HandleOf(file);
    for (size_t done = 0; done < run.size;) {
      const auto piece = static_cast<DWORD>(std::min(kWritePiece, run.size - done));
      DWORD written = 0;
      if (!WriteFile(handle, run.data + done, piece, &written, nullptr) || written == 0) return LastFailure();
      done += written;
    }
  }
  return Done{};
}

Status SeekFile(std::FILE* file, int64_t offset, int origin) {
  if (_fseeki64(file, offset, origin) != 0) return Failure{std::strerror(errno)};
  return Done{};
}

Result<int64_t> TellFile(std::FILE* file) {
  const int64_t position = _ftelli64(file);
  if (position < 0) return Failure{std::strerror(errno)};
  return position;
}

Result<uint64_t> FileLength(std::FILE* file) {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(HandleOf(file), &size)) return LastFailure();
  return static_cast<uint64_t>(size.QuadPart);
}

Result<size_t> ReadAt(std::FILE* file, uint64_t offset, uint8_t* into, size_t count) {
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  DWORD got = 0;
  const auto piece = static_cast<DWORD>(std::min<size_t>(count, MAXDWORD));
  if (!ReadFile(HandleOf(file), into, piece, &got, &at)) {
    // Asked from past the end, a handle opened for plain reads says so rather than giving 0.
    if (GetLastError() == ERROR_HANDLE_EOF) return size_t{0};
    return LastFailure();
  }
  return static_cast<size_t>(got);
}

Result<std::string> FindReplaceable(const std::string& path) {
  // As on POSIX, a link is saved through: the file it ends at is replaced,
  // and a link whose target is missing gets that target made.
  std::string target = path;
  for (int links = 0;; ++links) {
    bool exists = false;
    DWORD attributes = 0;
    std::string finalPath;
    if (std::string refusal = Refusal(target, exists, attributes, &finalPath); !refusal.empty())
      return Failure{refusal, true};
    if (exists) {
      // Wine replaces read-only files; Windows refuses them, and so does a save.
      if (attributes & FILE_ATTRIBUTE_READONLY) return Failure{"the file is read-only"};
      // The name as given unless links lead elsewhere: an export's files
      // then keep its folder of temporary files, which is faster under Wine.
      return finalPath.empty() || _stricmp(FullPathOf(target).c_str(), finalPath.c_str()) == 0 ? target : finalPath;
    }
    std::string next = SymbolicLinkTarget(target);
    if (next.empty()) return target;  // a new name
    if (links == kMaxLinks) return Failure{Win32ErrorText(ERROR_CANT_RESOLVE_FILENAME)};
    target = std::move(next);
  }
}

Result<TemporaryFile> CreateTemporaryFile(const std::string& folder, const std::string& keepModeOf) {
  const DWORD model = keepModeOf.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(Widen(keepModeOf).c_str());
  // Hidden, system and archive marks go with the file; read-only was refused.
  const DWORD kept = model == INVALID_FILE_ATTRIBUTES
                         ? 0
                         : model & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const std::string path = folder + TemporaryName();
    std::unique_ptr<TemporaryGuard> guard = TemporaryGuard::ForFile(path);
    HANDLE handle = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                kept == 0 ? FILE_ATTRIBUTE_NORMAL : kept, nullptr);
    if (handle == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_EXISTS) continue;
    if (handle == INVALID_HANDLE_VALUE) return LastFailure();
    guard->HoldsOpen(handle);
    std::FILE* file = StreamOf(handle, _O_WRONLY | _O_BINARY, "wb");
    if (file == nullptr) {
      DeleteFileW(Widen(path).c_str());
      return Failure{"the file could not be opened"};
    }
    return TemporaryFile{file, path, std::move(guard)};
  }
  return Failure{Win32ErrorText(ERROR_FILE_EXISTS)};
}

Status MoveReplacing(const std::string& source, const std::string& target) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (MoveFileExW(Widen(source).c_str(), Widen(target).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return Done{};
    const DWORD code = GetLastError();
    const bool held = code == ERROR_SHARING_VIOLATION || code == ERROR_ACCESS_DENIED || code == ERROR_LOCK_VIOLATION;
    if (!held || GetTickCount() - start >= kReplaceRetryMs) return Failure{Win32ErrorText(code)};
    Sleep(kReplaceStepMs);
  }
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

Status MakeFolder(const std::string& folder) {
  if (CreateDirectoryW(Widen(folder).c_str(), nullptr)) return Done{};
  const DWORD code = GetLastError();
  // Access denied for a level that is there: a share's, which can't be listed.
  if (code == ERROR_ALREADY_EXISTS ||
      (code == ERROR_ACCESS_DENIED && GetFileAttributesW(Widen(folder).c_str()) != INVALID_FILE_ATTRIBUTES))
    return Done{};
  return Failure{Win32ErrorText(code)};
}

Result<TemporaryFolder> CreateTemporaryFolder(const std::string& parent) {
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const std::string path = parent + TemporaryName();
    std::unique_ptr<TemporaryGuard> guard = TemporaryGuard::ForFolder(path);
    if (CreateDirectoryW(Widen(path).c_str(), nullptr)) return TemporaryFolder{path + '\\', std::move(guard)};
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  return LastFailure();
}

Result<std::vector<std::string>> ListFolder(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(Widen(folder + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    if (GetLastError() == ERROR_FILE_NOT_FOUND) return names;
    return LastFailure();
  }
  do {
    const std::string name = Narrow(found.cFileName);
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

Status RemoveFolder(const std::string& folder) {
  if (!RemoveDirectoryW(Widen(folder).c_str())) return LastFailure();
  return Done{};
}

Status RemoveFile(const std::string& path) {
  if (!DeleteFileW(Widen(path).c_str())) return LastFailure();
  return Done{};
}

}  // namespace os

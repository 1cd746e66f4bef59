#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "os/FileImage.h"
#include "os/FileSystem.h"
#include "os/Paths.h"

namespace os {
namespace {

constexpr int kAttempts = 100;           // fresh names to try before giving up
constexpr DWORD kReplaceRetryMs = 1000;  // how long a held target is tried again
constexpr DWORD kReplaceStepMs = 50;
// Runs from this length on are written straight from where they lie, in
// pieces that any file system's driver takes.
constexpr size_t kDirectRun = 64 << 10;
constexpr size_t kWritePiece = 16 << 20;

std::string ErrorText(DWORD code) {
  char text[512] = {};
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                      text, sizeof text, nullptr);
  std::string result(text, length);
  while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' ')) result.pop_back();
  return result.empty() ? "system error " + std::to_string(code) : result;
}

std::string LastErrorText() { return ErrorText(GetLastError()); }

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

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
// regular file (or does not exist, with `exists` false).
std::string Refusal(const std::string& path, bool& exists, DWORD& attributes) {
  // No access asked: this only looks, so no other program's sharing is in the way.
  HANDLE handle = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  exists = handle != INVALID_HANDLE_VALUE;
  if (!exists) return "";
  const DWORD type = GetFileType(handle);
  BY_HANDLE_FILE_INFORMATION info{};
  const bool known = GetFileInformationByHandle(handle, &info);
  CloseHandle(handle);
  attributes = known ? info.dwFileAttributes : 0;
  if (type != FILE_TYPE_DISK) return "not a regular file (a device, pipe or socket)";
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return "a folder, not a file";
  return "";
}

}  // namespace

OpenedFile OpenForReading(const std::string& path) {
  bool exists = false;
  DWORD attributes = 0;
  if (std::string refusal = Refusal(path, exists, attributes); !refusal.empty()) return {nullptr, refusal, true};
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return {nullptr, LastErrorText(), false};
  std::FILE* file = StreamOf(handle, _O_RDONLY | _O_BINARY, "rb");
  if (file == nullptr) return {nullptr, "the file could not be opened", false};
  return {file, "", false};
}

bool LoadFile(std::FILE* file, FileImage& image, std::string& error) {
  image = FileImage();
  LARGE_INTEGER size{};
  bool loaded = false;
  if (!GetFileSizeEx(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file))), &size))
    error = LastErrorText();
  else
    loaded = image.Read(file, static_cast<uint64_t>(size.QuadPart), error);
  std::fclose(file);
  return loaded;
}

bool WriteRuns(std::FILE* file, std::span<const ByteRun> runs, std::string& error) {
  for (const ByteRun& run : runs) {
    if (run.size < kDirectRun) {
      if (std::fwrite(run.data, 1, run.size, file) != run.size) {
        error = std::strerror(errno);
        return false;
      }
      continue;
    }
    if (std::fflush(file) != 0) {
      error = std::strerror(errno);
      return false;
    }
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    for (size_t done = 0; done < run.size;) {
      const auto piece = static_cast<DWORD>(std::min(kWritePiece, run.size - done));
      DWORD written = 0;
      if (!WriteFile(handle, run.data + done, piece, &written, nullptr) || written == 0) {
        error = LastErrorText();
        return false;
      }
      done += written;
    }
  }
  return true;
}

bool FindReplaceable(const std::string& path, std::string& target, std::string& error) {
  target = path;
  bool exists = false;
  DWORD attributes = 0;
  error = Refusal(path, exists, attributes);
  // Wine replaces read-only files; Windows refuses them, and so does a save.
  if (error.empty() && exists && (attributes & FILE_ATTRIBUTE_READONLY)) error = "the file is read-only";
  return error.empty();
}

bool CreateTemporaryFile(const std::string& folder, const std::string& keepModeOf, TemporaryFile& created,
                         std::string& error) {
  const DWORD model = keepModeOf.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(keepModeOf.c_str());
  // Hidden, system and archive marks go with the file; read-only was refused.
  const DWORD attributes = model == INVALID_FILE_ATTRIBUTES
                               ? FILE_ATTRIBUTE_NORMAL
                               : model & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const std::string path = folder + TemporaryName();
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes, nullptr);
    if (handle == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_EXISTS) continue;
    if (handle == INVALID_HANDLE_VALUE) {
      error = LastErrorText();
      return false;
    }
    std::FILE* file = StreamOf(handle, _O_WRONLY | _O_BINARY, "wb");
    if (file == nullptr) {
      DeleteFileA(path.c_str());
      error = "the file could not be opened";
      return false;
    }
    created = {file, path};
    return true;
  }
  error = ErrorText(ERROR_FILE_EXISTS);
  return false;
}

bool MoveReplacing(const std::string& source, const std::string& target, std::string& error) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    const DWORD code = GetLastError();
    const bool held = code == ERROR_SHARING_VIOLATION || code == ERROR_ACCESS_DENIED || code == ERROR_LOCK_VIOLATION;
    if (!held || GetTickCount() - start >= kReplaceRetryMs) {
      error = ErrorText(code);
      return false;
    }
    Sleep(kReplaceStepMs);
  }
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateFolders(const std::string& folder, std::string& error) {
  // Walk down from below the root (a drive, a share) so that each missing
  // level is made in turn.
  for (size_t end = WindowsRootLength(folder) + 1; end <= folder.size(); ++end) {
    if (end < folder.size() && !IsSeparator(folder[end])) continue;
    const std::string level = folder.substr(0, end);
    if (IsSeparator(level.back()) || IsFolder(level)) continue;
    if (!CreateDirectoryA(level.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS &&
        GetLastError() != ERROR_ACCESS_DENIED) {
      error = level + ": " + LastErrorText();
      return false;
    }
  }
  if (IsFolder(folder)) return true;
  error = folder + ": not a folder";
  return false;
}

bool CreateTemporaryFolder(const std::string& parent, std::string& created, std::string& error) {
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const std::string path = parent + TemporaryName();
    if (CreateDirectoryA(path.c_str(), nullptr)) {
      created = path + '\\';
      return true;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  error = LastErrorText();
  return false;
}

bool ListFolder(const std::string& folder, std::vector<std::string>& names) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return true;
}

bool RemoveFolder(const std::string& folder) { return RemoveDirectoryA(folder.c_str()) != 0; }

}  // namespace os

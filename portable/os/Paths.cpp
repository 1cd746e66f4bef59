#include "os/Paths.h"

#include <chrono>
#include <random>

namespace os {
namespace {

bool IsWindowsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Past the path component that starts at `from` and the separator after it.
size_t PastComponent(const std::string& path, size_t from) {
  size_t end = from;
  while (end < path.size() && !IsWindowsSeparator(path[end])) ++end;
  return end < path.size() ? end + 1 : end;
}

// "C:\" or "C:" at `from`; 0 when there is no drive there.
size_t DriveLength(const std::string& path, size_t from) {
  if (path.size() < from + 2 || !IsLetter(path[from]) || path[from + 1] != ':') return 0;
  return path.size() > from + 2 && IsWindowsSeparator(path[from + 2]) ? 3 : 2;
}

bool StartsWithUnc(const std::string& path, size_t from) {
  if (path.size() < from + 4 || !IsWindowsSeparator(path[from + 3])) return false;
  for (size_t i = 0; i < 3; ++i)
    if ((path[from + i] & ~0x20) != "UNC"[i]) return false;
  return true;
}

}  // namespace

bool IsSeparator(char c) {
#ifdef _WIN32
  return IsWindowsSeparator(c);
#else
  return c == '/';
#endif
}

std::string WithSeparator(const std::string& folder) {
  if (!folder.empty() && IsSeparator(folder.back())) return folder;
#ifdef _WIN32
  return folder + '\\';
#else
  return folder + '/';
#endif
}

size_t RootLength(const std::string& path) {
#ifdef _WIN32
  return WindowsRootLength(path);
#else
  return path.starts_with('/') ? 1 : 0;
#endif
}

std::string FolderOf(const std::string& path) {
#ifdef _WIN32
  const size_t last = path.find_last_of("\\/:");
#else
  const size_t last = path.rfind('/');
#endif
  return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

size_t WindowsRootLength(const std::string& path) {
  const bool doubleSeparator = path.size() >= 2 && IsWindowsSeparator(path[0]) && IsWindowsSeparator(path[1]);
  if (doubleSeparator && path.size() >= 4 && (path[2] == '?' || path[2] == '.') && IsWindowsSeparator(path[3])) {
    // "\\?\UNC\server\share\", "\\?\C:\", or a volume "\\?\Volume{...}\".
    if (StartsWithUnc(path, 4)) return PastComponent(path, PastComponent(path, 8));
    if (const size_t drive = DriveLength(path, 4); drive > 0) return 4 + drive;
    return PastComponent(path, 4);
  }
  if (doubleSeparator) return PastComponent(path, PastComponent(path, 2));
  if (const size_t drive = DriveLength(path, 0); drive > 0) return drive;
  return !path.empty() && IsWindowsSeparator(path[0]) ? 1 : 0;
}

std::string TemporaryName() {
  // Seeded once per thread from the system's randomness and the clock, so
  // that two processes started at once still draw apart.
  thread_local std::mt19937_64 engine(
      std::random_device{}() ^ static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  static constexpr char kLetters[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::uniform_int_distribution<size_t> pick(0, sizeof kLetters - 2);
  std::string name = ".~";
  for (int i = 0; i < 8; ++i) name += kLetters[pick(engine)];
  return name + ".tmp";
}

}  // namespace os

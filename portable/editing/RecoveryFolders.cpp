#include "editing/RecoveryFolders.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "os/FileSystem.h"
#include "os/Paths.h"

namespace {

constexpr const char* kFileName = "scene.recovery";

template <typename Number>
bool ParseHex(std::string_view text, Number& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  return error == std::errc{} && end == text.data() + text.size() && !text.empty();
}

bool IsReadable(const std::string& path) {
  os::Result<std::FILE*> opened = os::OpenForReading(path);
  if (!opened.ok()) return false;
  std::fclose(opened.value());
  return true;
}

std::string Hex(uint64_t value) {
  char text[17];
  const auto end = std::to_chars(std::begin(text), std::end(text), value, 16).ptr;
  return std::string(text, end);
}

}  // namespace

std::string RecoveryFolderOf(const std::string& root, const ProcessStamp& process) {
  return root + Hex(process.id) + "-" + Hex(process.started) + os::WithSeparator("");
}

std::string RecoveryFileIn(const std::string& folder) { return folder + kFileName; }

std::optional<ProcessStamp> ProcessOfFolder(const std::string& name) {
  const size_t dash = name.find('-');
  ProcessStamp process;
  if (dash == std::string::npos || !ParseHex(std::string_view(name).substr(0, dash), process.id) ||
      !ParseHex(std::string_view(name).substr(dash + 1), process.started))
    return std::nullopt;
  return process;
}

std::vector<std::string> LeftRecoveryFiles(const std::string& root,
                                           const std::function<bool(const ProcessStamp&)>& running) {
  os::Result<std::vector<std::string>> names = os::ListFolder(root);
  if (!names.ok()) return {};
  std::vector<std::pair<ProcessStamp, std::string>> left;
  for (const std::string& name : names.value()) {
    const std::optional<ProcessStamp> process = ProcessOfFolder(name);
    if (!process || running(*process)) continue;
    const std::string folder = os::WithSeparator(root + name);
    const std::string file = RecoveryFileIn(folder);
    if (IsReadable(file))
      left.emplace_back(*process, file);
    else
      static_cast<void>(RemoveRecoveryFolder(folder));
  }
  std::sort(left.begin(), left.end(),
            [](const auto& one, const auto& other) { return one.first.started > other.first.started; });
  std::vector<std::string> files;
  for (auto& [process, file] : left) files.push_back(std::move(file));
  return files;
}

os::Status RemoveRecoveryFolder(const std::string& folder) {
  if (os::Result<std::vector<std::string>> names = os::ListFolder(folder); names.ok())
    for (const std::string& name : names.value()) static_cast<void>(os::RemoveFile(folder + name));
  return os::RemoveFolder(folder);
}

#include "editor/RecoveryPlace.h"

#include <windows.h>
// After <windows.h>, which it needs.
#include <shlobj.h>

#include "os/Paths.h"
#include "os/WideText.h"

namespace {

uint64_t Started(HANDLE process) {
  FILETIME created{};
  FILETIME exited{};
  FILETIME kernel{};
  FILETIME user{};
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
  return (static_cast<uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

std::string UserDataFolder() {
  std::wstring given(MAX_PATH, L'\0');
  const DWORD length = GetEnvironmentVariableW(L"SCENE2_TOOLS_DATA", given.data(), MAX_PATH);
  if (length > 0 && length < MAX_PATH) return os::WithSeparator(os::Narrow(given.substr(0, length)));
  // SHGetFolderPathW rather than its successor, which would bring in a DLL
  // of its own for one free of memory; Vista has both.
  wchar_t local[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local))) return {};
  return os::WithSeparator(os::Narrow(local)) + "scene2 tools\\";
}

}  // namespace

std::string UserRecoveryFolder() {
  const std::string data = UserDataFolder();
  return data.empty() ? data : data + "Recovery\\";
}

ProcessStamp ThisProcess() { return {GetCurrentProcessId(), Started(GetCurrentProcess())}; }

bool IsRunning(const ProcessStamp& process) {
  HANDLE handle = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process.id);
  if (handle == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;
  // The number may have gone to a later process; a process that ended is
  // still there while a handle to it is held.
  const bool running = Started(handle) == process.started && WaitForSingleObject(handle, 0) == WAIT_TIMEOUT;
  CloseHandle(handle);
  return running;
}

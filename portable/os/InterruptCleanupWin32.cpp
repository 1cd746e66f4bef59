#include <windows.h>

#include <atomic>

#include "os/InterruptCleanup.h"
#include "os/WideText.h"

namespace os {
namespace {

// The system's own names, as ntdll takes them: a removal that needs no
// memory from the heap, which the stopped main thread may hold locked.
struct NtName {
  USHORT length;  // in bytes
  USHORT maximumLength;
  const wchar_t* buffer;
};
struct NtObject {
  ULONG length;
  HANDLE root;
  NtName* name;
  ULONG attributes;
  void* securityDescriptor;
  void* securityQualityOfService;
};
constexpr ULONG kCaseInsensitive = 0x40;
using NtDeleteFileFunction = LONG(NTAPI*)(NtObject*);

// "\??\C:\...", "\??\UNC\server\share\...": a path in the system's own form.
std::wstring SystemPath(const std::string& path) {
  std::wstring full(MAX_PATH, L'\0');
  const std::wstring wide = Widen(path);
  DWORD length = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length >= full.size()) {
    full.resize(length);
    length = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  }
  full.resize(length < full.size() ? length : 0);
  while (full.size() > 3 && (full.back() == L'\\' || full.back() == L'/')) full.pop_back();
  if (full.starts_with(L"\\\\?\\")) return L"\\??\\" + full.substr(4);
  if (full.starts_with(L"\\\\")) return L"\\??\\UNC\\" + full.substr(2);
  return L"\\??\\" + full;
}

}  // namespace

struct TemporaryGuard::Entry {
  std::wstring path;
  NtName name{};
  NtObject object{};
  // The file's. Closed already when the stream's end came just before the
  // signal, it may stand for another handle by then: closing that harms
  // nothing, as the program ends next.
  std::atomic<HANDLE> open = nullptr;
  // From before the file is created until its handle is known: a file made
  // then is open with no handle that the removal could close.
  std::atomic<bool> opening = false;
  bool folder = false;
};

namespace {

constexpr size_t kSlots = 16;
std::atomic<TemporaryGuard::Entry*> slots[kSlots];
HANDLE mainThread = nullptr;
NtDeleteFileFunction deleteFile = nullptr;

bool AnyOpening() {
  for (const auto& slot : slots)
    if (const TemporaryGuard::Entry* entry = slot.load(); entry != nullptr && entry->opening) return true;
  return false;
}

void Remove(bool folders) {
  for (const auto& slot : slots) {
    TemporaryGuard::Entry* entry = slot.load();
    if (entry == nullptr || entry->folder != folders) continue;
    if (const HANDLE open = entry->open.load(); open != nullptr) CloseHandle(open);
    deleteFile(&entry->object);
  }
}

// Runs on a thread of its own, beside the main thread, which it stops first:
// nothing is made or written while what was made goes.
BOOL WINAPI OnControl(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      break;
    default:
      return FALSE;
  }
  // Stopped where no file is being made (for a moment at most: a hung
  // creation is given up after a while). Suspending is asynchronous: asking
  // for the thread's registers waits until it has stopped.
  constexpr int kWaits = 2000;
  for (int wait = 0;; ++wait) {
    SuspendThread(mainThread);
    CONTEXT stopped{};
    stopped.ContextFlags = CONTEXT_CONTROL;
    GetThreadContext(mainThread, &stopped);
    if (!AnyOpening() || wait == kWaits) break;
    ResumeThread(mainThread);
    Sleep(1);
  }
  Remove(false);
  Remove(true);
  TerminateProcess(GetCurrentProcess(), STATUS_CONTROL_C_EXIT);
  return TRUE;
}

}  // namespace

void RemoveTemporariesWhenInterrupted() {
  deleteFile = reinterpret_cast<NtDeleteFileFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtDeleteFile")));
  if (deleteFile == nullptr ||
      !DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &mainThread,
                       THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT, FALSE, 0))
    return;
  SetConsoleCtrlHandler(OnControl, TRUE);
}

TemporaryGuard::TemporaryGuard(std::unique_ptr<Entry> entry) : entry_(std::move(entry)) {
  Entry& made = *entry_;
  made.name = {static_cast<USHORT>(made.path.size() * sizeof(wchar_t)),
               static_cast<USHORT>(made.path.size() * sizeof(wchar_t)), made.path.c_str()};
  made.object = {sizeof(NtObject), nullptr, &made.name, kCaseInsensitive, nullptr, nullptr};
  for (auto& slot : slots) {
    Entry* free = nullptr;
    if (slot.compare_exchange_strong(free, entry_.get())) return;
  }
}

TemporaryGuard::~TemporaryGuard() {
  for (auto& slot : slots) {
    Entry* mine = entry_.get();
    if (slot.compare_exchange_strong(mine, nullptr)) return;
  }
}

void TemporaryGuard::HoldsOpen(void* handle) {
  entry_->open = static_cast<HANDLE>(handle);
  entry_->opening = false;
}

std::unique_ptr<TemporaryGuard> TemporaryGuard::ForFile(const std::string& path) {
  auto entry = std::make_unique<Entry>();
  entry->path = SystemPath(path);
  entry->opening = true;
  return std::unique_ptr<TemporaryGuard>(new TemporaryGuard(std::move(entry)));
}

std::unique_ptr<TemporaryGuard> TemporaryGuard::ForFolder(const std::string& path) {
  auto entry = std::make_unique<Entry>();
  entry->path = SystemPath(path);
  entry->folder = true;
  return std::unique_ptr<TemporaryGuard>(new TemporaryGuard(std::move(entry)));
}

}  // namespace os

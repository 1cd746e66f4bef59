#include <signal.h>
#include <unistd.h>

#include <atomic>

#include "os/InterruptCleanup.h"

namespace os {

// What the signal handler reads, with nothing but loads of lock-free atomics:
// a path stays put while its entry is registered.
struct TemporaryGuard::Entry {
  std::string path;
  bool folder = false;
};

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

constexpr size_t kSlots = 16;
std::atomic<const TemporaryGuard::Entry*> slots[kSlots];

void Remove(bool folders) {
  for (const auto& slot : slots)
    if (const TemporaryGuard::Entry* entry = slot.load(); entry != nullptr && entry->folder == folders)
      folders ? rmdir(entry->path.c_str()) : unlink(entry->path.c_str());
}

extern "C" void OnInterrupt(int signal) {
  Remove(false);
  Remove(true);
  // Ended as the signal ends a program, once this handler returns.
  struct sigaction standard {};
  standard.sa_handler = SIG_DFL;
  sigemptyset(&standard.sa_mask);
  sigaction(signal, &standard, nullptr);
  raise(signal);
}

}  // namespace

void RemoveTemporariesWhenInterrupted() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  for (const int signal : kSignals) sigaddset(&action.sa_mask, signal);
  for (const int signal : kSignals) {
    struct sigaction before {};
    if (sigaction(signal, nullptr, &before) == 0 && before.sa_handler != SIG_IGN)
      sigaction(signal, &action, nullptr);
  }
}

TemporaryGuard::TemporaryGuard(std::unique_ptr<Entry> entry) : entry_(std::move(entry)) {
  for (auto& slot : slots) {
    const Entry* free = nullptr;
    if (slot.compare_exchange_strong(free, entry_.get())) return;
  }
}

TemporaryGuard::~TemporaryGuard() {
  for (auto& slot : slots) {
    const Entry* mine = entry_.get();
    if (slot.compare_exchange_strong(mine, nullptr)) return;
  }
}

// A file is removed while it is open: the system frees it once it is closed.
void TemporaryGuard::HoldsOpen(void*) {}

std::unique_ptr<TemporaryGuard> TemporaryGuard::ForFile(const std::string& path) {
  return std::unique_ptr<TemporaryGuard>(new TemporaryGuard(std::make_unique<Entry>(Entry{path, false})));
}

std::unique_ptr<TemporaryGuard> TemporaryGuard::ForFolder(const std::string& path) {
  return std::unique_ptr<TemporaryGuard>(new TemporaryGuard(std::make_unique<Entry>(Entry{path, true})));
}

}  // namespace os

#include "tests/Polling.h"

#include <thread>

bool PollUntil(const std::function<bool()>& condition, std::chrono::microseconds interval) {
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= giveUp) return false;
    std::this_thread::sleep_for(interval);
  }
  return true;
}

#include "tools/gui/WhenShown.h"

#include <map>

namespace {

constexpr UINT kPollMs = 20;

std::map<UINT_PTR, WhenShown*>& Pollers() {
  static std::map<UINT_PTR, WhenShown*> pollers;
  return pollers;
}

}  // namespace

WhenShown::WhenShown(WindowMatch match, std::function<void(HWND)> action)
    : match_([match = std::move(match)](HWND window) { return IsWindowEnabled(window) && match(window); }),
      action_(std::move(action)),
      timer_(SetTimer(nullptr, 0, kPollMs, Poll)) {
  Pollers()[timer_] = this;
}

WhenShown::~WhenShown() {
  KillTimer(nullptr, timer_);
  Pollers().erase(timer_);
}

void CALLBACK WhenShown::Poll(HWND, UINT, UINT_PTR timer, DWORD) {
  const auto found = Pollers().find(timer);
  if (found == Pollers().end()) return;
  WhenShown& self = *found->second;
  HWND window = FindThreadWindow(GetCurrentThreadId(), self.match_);
  if (window == nullptr) return;
  KillTimer(nullptr, timer);
  Pollers().erase(found);
  self.done_ = true;
  self.action_(window);
}

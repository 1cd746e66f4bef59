#include "tools/gui/DialogDriver.h"

#include "tools/gui/MessageBoxes.h"
#include "tools/gui/WindowSearch.h"

namespace {

constexpr DWORD kAnswerEveryMs = 50;

}  // namespace

DialogDriver::DialogDriver(DWORD hostThread, std::function<void()> script)
    : hostThread_(hostThread), thread_([this, script = std::move(script)] { Run(script); }) {}

DialogDriver::~DialogDriver() { thread_.join(); }

void DialogDriver::Run(const std::function<void()>& script) {
  script();
  while (!hostReturned_) {
    if (HWND box = FindThreadWindow(hostThread_, OfClass(kMessageBoxClass))) PostOk(box);
    if (HWND dialog = FindThreadWindow(hostThread_, OfClass(kFormClass)))
      PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    Sleep(kAnswerEveryMs);
  }
}

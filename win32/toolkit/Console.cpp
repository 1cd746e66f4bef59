#include "toolkit/Console.h"

#include "os/ConsoleText.h"
#include "toolkit/WorkArea.h"

namespace toolkit {
namespace {

bool IsFileOrPipe(HANDLE output) {
  if (output == nullptr || output == INVALID_HANDLE_VALUE) return false;
  const DWORD type = GetFileType(output);
  return type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE;
}

}  // namespace

Console& Console::Open() {
  static Console console;
  return console;
}

Console::Console() {
  HANDLE inherited = GetStdHandle(STD_OUTPUT_HANDLE);
  AllocConsole();
  // Windows ends a console's process when its window closes: the program
  // ends through its own windows only, which ask before work is lost.
  if (HWND window = GetConsoleWindow(); window != nullptr)
    DeleteMenu(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND);
  redirected_ = IsFileOrPipe(inherited);
  output_ = redirected_ ? inherited : GetStdHandle(STD_OUTPUT_HANDLE);
}

void Console::PlaceBeside(HWND window) const {
  HWND console = GetConsoleWindow();
  if (console == nullptr) return;
  RECT main{};
  RECT own{};
  GetWindowRect(window, &main);
  GetWindowRect(console, &own);
  POINT client{0, 0};
  ClientToScreen(window, &client);
  const RECT placed =
      toolkit::PlaceBeside({own.right - own.left, own.bottom - own.top}, main, client.y, WorkAreaNear(main));
  SetWindowPos(console, nullptr, placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void Console::Write(std::string_view bytes) const {
  // Nobody reads the trace any more when a write fails; the program goes on.
  if (!redirected_) {
    os::WriteConsoleText(output_, bytes);
    return;
  }
  while (!bytes.empty()) {
    DWORD written = 0;
    if (!WriteFile(output_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) || written == 0) return;
    bytes.remove_prefix(written);
  }
}

}  // namespace toolkit

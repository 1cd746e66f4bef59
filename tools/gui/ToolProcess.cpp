#include "tools/gui/ToolProcess.h"

#include <commctrl.h>
#include <tlhelp32.h>

#include <stdexcept>

#include "os/WideText.h"
#include "tools/gui/FileDialogs.h"

HTREEITEM TreeItemAt(HWND tree, HTREEITEM item, UINT relation) {
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

namespace {

int ExpandFrom(HWND tree, HTREEITEM first) {
  int count = 0;
  for (HTREEITEM item = first; item != nullptr; item = TreeItemAt(tree, item, TVGN_NEXT)) {
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    count += 1 + ExpandFrom(tree, TreeItemAt(tree, item, TVGN_CHILD));
  }
  return count;
}

}  // namespace

int ExpandAll(HWND tree) { return ExpandFrom(tree, TreeItemAt(tree, nullptr, TVGN_ROOT)); }

void CheckNode(HWND tree, HTREEITEM item) {
  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  SendMessageA(tree, WM_KEYDOWN, VK_SPACE, 0);
  SendMessageA(tree, WM_KEYUP, VK_SPACE, 0);
}

ToolProcess::ToolProcess(const std::string& program, const std::string& outputFile,
                         const std::vector<std::string>& arguments) {
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  HANDLE output = CreateFileW(os::Widen(outputFile).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inheritable,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = output;
  startup.hStdError = output;
  std::wstring commandLine = L"\"" + os::Widen(program) + L"\"";
  for (const std::string& argument : arguments) commandLine += L" \"" + os::Widen(argument) + L"\"";
  // As the shell starts it: without the console of the program that starts it.
  const BOOL started = CreateProcessW(os::Widen(program).c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                      DETACHED_PROCESS, nullptr, nullptr, &startup, &process_);
  CloseHandle(output);
  if (!started) throw std::runtime_error("cannot start " + program);
  // "Form1", or "NAME - Form1" once a scene given to it is open; found
  // also while a box that it shows at start disables it.
  WaitUntil([this] {
    return (main_ = FindProcessWindow(process_.dwProcessId, [](HWND window) {
              const std::string caption = TextOf(window);
              return caption == "Form1" || caption.ends_with(" - Form1");
            })) != nullptr;
  });
}

ToolProcess::~ToolProcess() {
  if (process_.hProcess == nullptr) return;
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 1);
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

HWND ToolProcess::ConsoleWindow() const {
  // Windows names the program as its console window's process; Wine names
  // the console's own host, a child of the program.
  std::vector<DWORD> processes{process_.dwProcessId};
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
    if (entry.th32ParentProcessID == process_.dwProcessId) processes.push_back(entry.th32ProcessID);
  CloseHandle(snapshot);
  const auto isConsole = [](HWND window) {
    const std::string name = ClassOf(window);
    return name == "ConsoleWindowClass" || name == "WineConsoleClass";
  };
  for (DWORD process : processes)
    if (HWND console = FindProcessWindow(process, isConsole); console != nullptr) return console;
  return nullptr;
}

HWND ToolProcess::FindWindowNow(const WindowMatch& match) const {
  // A window that waits for a box it owns is disabled: the box is what shows.
  return FindProcessWindow(process_.dwProcessId,
                           [&match](HWND window) { return IsWindowEnabled(window) && match(window); });
}

HWND ToolProcess::WaitForWindow(const WindowMatch& match) const {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindWindowNow(match)) != nullptr; });
  return found;
}

void ToolProcess::ChooseMenu(int menu, int item) const {
  // Alt selects the bar's first menu; the arrows move to the menu and open it
  // with its first item selected; Enter picks the item. A window that becomes
  // active meanwhile (the console, as the program starts) cancels the menu:
  // then it is tried again.
  for (int attempt = 0; attempt < 5; ++attempt) {
    SetForegroundWindow(main_);
    PostMessageA(main_, WM_SYSCOMMAND, SC_KEYMENU, 0);
    for (int step = 0; step < menu; ++step) PostMessageA(main_, WM_KEYDOWN, VK_RIGHT, 0);
    PostMessageA(main_, WM_KEYDOWN, VK_DOWN, 0);
    if (WaitUntil([this] { return FindWindowNow(Captioned(kPopupMenuClass)) != nullptr; }, 3000)) {
      for (int step = 0; step < item; ++step) PostMessageA(main_, WM_KEYDOWN, VK_DOWN, 0);
      PostMessageA(main_, WM_KEYDOWN, VK_RETURN, 0);
      return;
    }
    PostMessageA(main_, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(main_, WM_KEYDOWN, VK_ESCAPE, 0);
  }
}

void ToolProcess::ChooseFile(const std::string& caption, const std::string& path) const {
  HWND dialog = WaitForWindow(Captioned(caption));
  SendMessageW(FileNameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(os::Widen(path).c_str()));
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  // Either the dialog goes, or it asks first whether to replace the file.
  bool answered = false;
  WaitUntil([&] {
    if (!IsWindow(dialog)) return true;
    if (HWND question = FindWindowNow(OwnedBy(dialog)); question != nullptr && !answered) {
      PostMessageA(question, WM_COMMAND, IDYES, 0);
      answered = true;
    }
    return false;
  });
}

DWORD ToolProcess::Close() {
  PostMessageA(main_, WM_CLOSE, 0, 0);
  WaitForSingleObject(process_.hProcess, 30000);
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

void ToolProcess::Kill() {
  TerminateProcess(process_.hProcess, 1);
  WaitForSingleObject(process_.hProcess, 30000);
}

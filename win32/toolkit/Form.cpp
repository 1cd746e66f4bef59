#include "toolkit/Form.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "os/WideText.h"
#include "toolkit/Control.h"
#include "toolkit/Dpi.h"
#include "toolkit/Module.h"
#include "toolkit/ModuleIcon.h"
#include "toolkit/ShellPaths.h"
#include "toolkit/WindowClass.h"
#include "toolkit/WorkArea.h"

namespace toolkit {
namespace {

constexpr wchar_t kClassName[] = L"toolkit.Form";
const FontSpec kSystemFont{"MS Shell Dlg", 13};

// Registered on the first form of the module, as WindowClass tells.
const wchar_t* RegisteredClass(WNDPROC procedure) {
  static const WindowClass formClass([procedure] {
    WNDCLASSEXW description{};
    description.style = CS_DBLCLKS;
    description.lpfnWndProc = procedure;
    // Null for a module without an icon: Windows then shows its default one.
    description.hIcon = LoadIconW(ModuleInstance(), MAKEINTRESOURCEW(TOOLKIT_MODULE_ICON));
    description.hCursor = LoadCursor(nullptr, IDC_ARROW);
    description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    description.lpszClassName = kClassName;
    return description;
  }());
  return formClass.Name();
}

struct Styles {
  DWORD style;
  DWORD exStyle;
};

Styles StylesOf(FormBorder border, bool clipChildren) {
  const DWORD clip = clipChildren ? WS_CLIPCHILDREN : 0;
  if (border == FormBorder::Dialog)
    return {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | clip, WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE};
  return {WS_OVERLAPPEDWINDOW | clip, WS_EX_WINDOWEDGE};
}

struct DisableWalk {
  HWND except;
  std::vector<HWND> disabled;
};

BOOL CALLBACK DisableOne(HWND window, LPARAM data) {
  auto& walk = *reinterpret_cast<DisableWalk*>(data);
  if (window != walk.except && IsWindowVisible(window) && IsWindowEnabled(window)) {
    EnableWindow(window, FALSE);
    walk.disabled.push_back(window);
  }
  return TRUE;
}

// Asks a top-level window to run the command of a key message: a form's
// table, in whichever module the form lives. A registered message, because
// the window may be a dialog or box of the system's, with its own WM_USER
// messages.
UINT TranslateKeyMessage() {
  static const UINT message = RegisterWindowMessageW(L"toolkit.Form.TranslateKey");
  return message;
}

// Where a form of `args` goes on the screen, its outer rectangle at `dpi`.
RECT PlaceOf(const FormArgs& args, const Styles& styles, bool menu, int dpi) {
  const SIZE client = ScaleToDpi(args.client, dpi);
  const RECT outer = OuterRectForDpi({0, 0, client.cx, client.cy}, styles.style, menu, styles.exStyle, dpi);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  POINT position = args.position;
  if (args.centred)
    position = {(GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2};
  else if (position.x != CW_USEDEFAULT)
    position = {ScaleToDpi(position.x, dpi), ScaleToDpi(position.y, dpi)};
  const RECT placed{position.x, position.y, position.x + width, position.y + height};
  // Where it fits, the given place; else moved onto the work area of its
  // monitor, whole, so that no button is out of reach on a small screen.
  return position.x != CW_USEDEFAULT ? FitInside(placed, WorkAreaNear(placed)) : placed;
}

std::vector<HWND> DisableThreadWindows(HWND except) {
  DisableWalk walk{except, {}};
  EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(&walk));
  return walk.disabled;
}

}  // namespace

Form::Form(FormArgs args)
    : designedClient_(args.client), minimum_(args.minimum), menuBar_(std::move(args.menuBar)), layout_(args.client) {
  EnsureCommonControls();
  const wchar_t* className = RegisteredClass(WindowProc);
  const Styles styles = StylesOf(args.border, args.clipChildren);
  // Until the window is made, the DPI of the owner it opens over, or of the main monitor.
  dpi_ = args.owner != nullptr ? DpiOfWindow(args.owner) : SystemDpi();
  layout_.SetDesigned(ScaleToDpi(designedClient_, dpi_));
  const RECT placed = PlaceOf(args, styles, menuBar_.has_value(), dpi_);
  MakeFont(args.font, kSystemFont);
  CreateWindowExW(styles.exStyle, className, os::Widen(args.caption).c_str(), styles.style, placed.left, placed.top,
                  placed.right - placed.left, placed.bottom - placed.top, args.owner,
                  menuBar_ ? menuBar_->Handle() : nullptr, ModuleInstance(), this);
  if (hwnd_ == nullptr) throw std::runtime_error("a window could not be created");
  // Made on a monitor of another DPI; no child is there yet to place anew.
  if (const int dpi = DpiOfWindow(hwnd_); dpi != dpi_)
    OnDpiChanged(dpi, PlaceOf(args, styles, menuBar_.has_value(), dpi));
  if (!args.closeCommand) DeleteMenu(GetSystemMenu(hwnd_, FALSE), SC_CLOSE, MF_BYCOMMAND);
  if (args.acceptFiles) DragAcceptFiles(hwnd_, TRUE);
  if (menuBar_) AddKeys(*menuBar_);
}

Form::~Form() {
  if (hwnd_ == nullptr) return;
  // The object is going first: no more messages reach it, and the menu bar
  // stays with menuBar_, which frees it.
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  SetMenu(hwnd_, nullptr);
  DestroyWindow(hwnd_);
}

void Form::Show() {
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
}

void Form::Hide() { ShowWindow(hwnd_, SW_HIDE); }

int Form::ShowModal(ModalScope scope, const Window* focus) {
  modalResult_ = 0;
  const std::vector<HWND> disabled =
      scope == ModalScope::DisableOthers ? DisableThreadWindows(hwnd_) : std::vector<HWND>{};
  Show();
  if (focus != nullptr) SetFocus(focus->Handle());
  bool quit = false;
  WPARAM exitCode = 0;
  while (modalResult_ == 0 && hwnd_ != nullptr) {
    MSG msg;
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      quit = got == 0;
      exitCode = msg.wParam;
      break;
    }
    HandleQueuedMessage(msg);
  }
  for (HWND window : disabled) EnableWindow(window, TRUE);
  if (hwnd_ != nullptr) Hide();
  if (quit) PostQuitMessage(static_cast<int>(exitCode));
  return modalResult_;
}

void Form::AddKeys(const Menu& menu, std::function<void()> beforeKey) {
  keyMenus_.push_back({&menu, std::move(beforeKey)});
  for (const auto& [key, command] : menu.Keys()) accelerators_.Add(key, command);
}

void Form::AddKey(const Shortcut& key, std::function<void()> action) {
  const UINT command = NewCommand();
  keyActions_.emplace(command, std::move(action));
  accelerators_.Add(key, command);
}

Form::CommandScope::~CommandScope() {
  if (--form_.commandsRunning_ > 0 || !form_.closeWaiting_ || form_.hwnd_ == nullptr) return;
  // Asked again once the command's own loops have ended.
  form_.closeWaiting_ = false;
  PostMessageW(form_.hwnd_, WM_CLOSE, 0, 0);
}

void Form::Place(const RECT& outer) const {
  SetWindowPos(hwnd_, nullptr, outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE Form::OuterSize() const {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(hwnd_, &placement);
  const RECT& normal = placement.rcNormalPosition;
  return {normal.right - normal.left, normal.bottom - normal.top};
}

void Form::OnClose() { DestroyWindow(hwnd_); }

LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* created = static_cast<Form*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    created->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  auto* self = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    // Every command catches what it expects; nothing may unwind into Windows.
    return 0;
  }
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == TranslateKeyMessage()) return TranslateKey(*reinterpret_cast<MSG*>(lParam));
  LRESULT result = 0;
  switch (message) {
    case WM_COMMAND:
      if (Control::Reflect(hwnd_, message, wParam, lParam, result)) return result;
      OnCommand(wParam);
      return 0;
    case WM_NOTIFY:
      if (Control::Reflect(hwnd_, message, wParam, lParam, result)) return result;
      break;
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(FontHandle());
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_GETMINMAXINFO:
      OnMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) layout_.Apply({LOWORD(lParam), HIWORD(lParam)});
      return 0;
    case WM_CLOSE:
      if (commandsRunning_ > 0)
        closeWaiting_ = true;
      else
        OnClose();
      return 0;
    case WM_DESTROY:
      SetMenu(hwnd_, nullptr);  // menuBar_ frees it, not the window
      OnDestroy();
      return 0;
    case WM_NCDESTROY: {
      HWND going = hwnd_;
      OnNcDestroy();
      return DefWindowProcW(going, message, wParam, lParam);
    }
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void Form::OnCommand(WPARAM wParam) {
  // A menu item sends 0 as the notification code, a key 1; neither a control.
  if (HIWORD(wParam) == 1)
    RunKeyCommand(LOWORD(wParam));
  else if (HIWORD(wParam) == 0 && menuBar_)
    menuBar_->Invoke(LOWORD(wParam));
}

void Form::RunKeyCommand(UINT command) const {
  if (const auto action = keyActions_.find(command); action != keyActions_.end()) {
    action->second();
    return;
  }
  for (const KeyMenu& keyMenu : keyMenus_) {
    const auto& keys = keyMenu.menu->Keys();
    if (std::none_of(keys.begin(), keys.end(), [command](const auto& key) { return key.second == command; })) continue;
    if (keyMenu.beforeKey) keyMenu.beforeKey();
    keyMenu.menu->Invoke(command);  // refuses a greyed item
    return;
  }
}

bool Form::TranslateKey(MSG& msg) {
  // A control that asks for the key itself (an edit box open on a line, a
  // tree that edits on F2) has it before the window's keys.
  const auto wants = SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
  if ((wants & DLGC_WANTMESSAGE) != 0) return false;
  return IsWindowEnabled(hwnd_) && accelerators_.Translate(hwnd_, msg);
}

void Form::OnDropFiles(HDROP drop) {
  const std::vector<std::string> paths = DroppedPaths(drop);
  DragFinish(drop);
  // A form that waits for its dialog or box takes nothing new meanwhile.
  if (IsWindowEnabled(hwnd_)) OnFilesDropped(paths);
}

void Form::OnMinMaxInfo(MINMAXINFO& info) const {
  const SIZE minimum = ScaleToDpi(minimum_, dpi_);
  if (minimum.cx > 0) info.ptMinTrackSize.x = minimum.cx;
  if (minimum.cy > 0) info.ptMinTrackSize.y = minimum.cy;
}

void Form::OnDpiChanged(int dpi, const RECT& outer) {
  RescaleFont(dpi);
  layout_.SetDesigned(ScaleToDpi(designedClient_, dpi_));
  Control::RescaleChildren(hwnd_, dpi_);
  Place(outer);
  // Anchored children go to their places for the client area as it is now,
  // also when it kept its size and no WM_SIZE came.
  RECT client{};
  GetClientRect(hwnd_, &client);
  layout_.Apply({client.right, client.bottom});
}

void Form::OnNcDestroy() {
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  hwnd_ = nullptr;
}

void HandleQueuedMessage(MSG& msg) {
  HWND root = msg.hwnd != nullptr ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  const bool keyDown = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
  if (keyDown && root != nullptr && SendMessageW(root, TranslateKeyMessage(), 0, reinterpret_cast<LPARAM>(&msg)) != 0)
    return;
  // IsDialogMessage translates and dispatches whatever it does not use itself.
  if (root != nullptr && IsDialogMessageW(root, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

}  // namespace toolkit

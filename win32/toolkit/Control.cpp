#include "toolkit/Control.h"

#include <commctrl.h>

#include <stdexcept>
#include <vector>

#include "os/WideText.h"
#include "toolkit/Dpi.h"
#include "toolkit/Module.h"

namespace toolkit {
namespace {

Bounds ScaledBounds(const Bounds& bounds, int dpi) {
  const RECT edges =
      ScaleToDpi(RECT{bounds.left, bounds.top, bounds.left + bounds.width, bounds.top + bounds.height}, dpi);
  return {edges.left, edges.top, edges.right - edges.left, edges.bottom - edges.top};
}

BOOL CALLBACK CollectControl(HWND child, LPARAM controls) {
  // Tooltips and other helpers that a control makes hold no object of ours.
  if (auto* control = reinterpret_cast<Control*>(GetWindowLongPtrW(child, GWLP_USERDATA)); control != nullptr)
    reinterpret_cast<std::vector<Control*>*>(controls)->push_back(control);
  return TRUE;
}

}  // namespace

Control::Control(Window& parent, const Creation& creation) : design_(creation.bounds), layout_(parent.ChildLayout()) {
  EnsureCommonControls();
  dpi_ = parent.Dpi();
  MakeFont(creation.font, parent.FontDescription());
  const Bounds at = ScaledBounds(design_, dpi_);
  hwnd_ =
      CreateWindowExW(creation.exStyle, creation.className, os::Widen(creation.text).c_str(),
                      WS_CHILD | WS_VISIBLE | creation.style, at.left, at.top, at.width, at.height, parent.Handle(),
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(creation.id != 0 ? creation.id : NextControlId())),
                      ModuleInstance(), nullptr);
  if (hwnd_ == nullptr) throw std::runtime_error("a control could not be created: " + os::Narrow(creation.className));
  procedure_ = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd_, GWLP_WNDPROC));
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowSubclass(hwnd_, SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
  ApplyFont();
  if (layout_ != nullptr) layout_->Add(hwnd_, BoundsInParent(), creation.anchors);
}

Control::~Control() {
  if (hwnd_ == nullptr) return;
  HWND going = hwnd_;
  Detach();
  DestroyWindow(going);
}

RECT Control::BoundsInParent() const {
  RECT bounds{};
  GetWindowRect(hwnd_, &bounds);
  MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

void Control::Rescale(int dpi) {
  RescaleFont(dpi);
  const Bounds at = ScaledBounds(design_, dpi_);
  SetWindowPos(hwnd_, nullptr, at.left, at.top, at.width, at.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Control::RescaleChildren(HWND parent, int dpi) {
  std::vector<Control*> controls;
  EnumChildWindows(parent, CollectControl, reinterpret_cast<LPARAM>(&controls));
  for (Control* control : controls) {
    control->Rescale(dpi);
    if (control->layout_ != nullptr) control->layout_->Replace(control->hwnd_, control->BoundsInParent());
  }
}

LRESULT Control::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return CallOriginal(message, wParam, lParam);
}

LRESULT Control::CallOriginal(UINT message, WPARAM wParam, LPARAM lParam) const {
  return DefSubclassProc(hwnd_, message, wParam, lParam);
}

LRESULT Control::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return CallWindowProcW(procedure_, hwnd_, message, wParam, lParam);
}

bool Control::Reflect(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  HWND child = nullptr;
  if (message == WM_COMMAND)
    child = reinterpret_cast<HWND>(lParam);
  else if (message == WM_NOTIFY)
    child = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
  // Menus send no window; tooltips and other helpers are not our children.
  if (child == nullptr || GetAncestor(child, GA_PARENT) != parent) return false;
  // A direct call, not a message: the child's subclass would cost a server call under Wine.
  auto* control = reinterpret_cast<Control*>(GetWindowLongPtrW(child, GWLP_USERDATA));
  if (control == nullptr) return false;
  if (message == WM_NOTIFY) {
    result = control->OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
  } else {
    control->OnCommand(HIWORD(wParam));
    result = 0;
  }
  return true;
}

void Control::Resize(int width, int height) const {
  SetWindowPos(hwnd_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Control::FitOpenHeight(int height) const {
  if (design_.height != 0) return;
  const RECT bounds = BoundsInParent();
  Resize(bounds.right - bounds.left, height);
}

LRESULT CALLBACK Control::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR data) {
  try {
    return reinterpret_cast<Control*>(data)->Route(message, wParam, lParam);
  } catch (...) {
    // Every command catches what it expects; nothing may unwind into Windows.
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }
}

LRESULT Control::Route(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
      // A control that holds others, a group box, passes theirs back too.
      if (Reflect(hwnd_, message, wParam, lParam, result)) return result;
      break;
    case WM_NCDESTROY: {
      HWND going = hwnd_;
      Detach();
      return DefSubclassProc(going, message, wParam, lParam);
    }
  }
  return HandleMessage(message, wParam, lParam);
}

void Control::Detach() {
  RemoveWindowSubclass(hwnd_, SubclassProc, 0);
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  if (layout_ != nullptr) layout_->Remove(hwnd_);
  hwnd_ = nullptr;
}

}  // namespace toolkit

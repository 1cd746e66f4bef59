#include "toolkit/Accelerators.h"

namespace toolkit {

UINT NewCommand() {
  static UINT next = 1000;
  return next++;
}

Accelerators::~Accelerators() {
  if (handle_ != nullptr) DestroyAcceleratorTable(handle_);
}

void Accelerators::Add(const Shortcut& shortcut, UINT command) {
  const BYTE modifiers = (shortcut.ctrl ? FCONTROL : 0) | (shortcut.shift ? FSHIFT : 0);
  entries_.push_back({static_cast<BYTE>(FVIRTKEY | modifiers), shortcut.key, static_cast<WORD>(command)});
  if (handle_ != nullptr) DestroyAcceleratorTable(handle_);
  handle_ = nullptr;
}

bool Accelerators::Translate(HWND window, MSG& msg) {
  if (entries_.empty()) return false;
  if (handle_ == nullptr) handle_ = CreateAcceleratorTableW(entries_.data(), static_cast<int>(entries_.size()));
  return TranslateAcceleratorW(window, handle_, &msg) != 0;
}

}  // namespace toolkit

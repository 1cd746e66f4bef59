#pragma once

#include <windows.h>

#include <string>

namespace toolkit {

// A key and the modifiers held with it.
struct Shortcut {
  WORD key = 0;  // a virtual-key code: 'A' to 'Z', '0' to '9', VK_F1 to VK_F24
  bool ctrl = false;
  bool shift = false;
};

constexpr Shortcut Ctrl(WORD key) { return {key, true, false}; }
constexpr Shortcut CtrlShift(WORD key) { return {key, true, true}; }

// Whether `key`, pressed now, is Ctrl+C, Ctrl+V or Ctrl+X: the keys with
// which a control that holds text cuts, copies and pastes it, before a
// form's commands of those keys.
bool IsTextClipboardKey(WPARAM key);

// The shortcut as a menu shows it after the item's text: "Ctrl+Shift+S", "F2".
std::string ShortcutText(const Shortcut& shortcut);

}  // namespace toolkit

#include "toolkit/Shortcut.h"

#include <stdexcept>

namespace toolkit {
namespace {

std::string KeyName(WORD key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, static_cast<char>(key));
  if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
  throw std::invalid_argument("a shortcut's key has no name");
}

}  // namespace

std::string ShortcutText(const Shortcut& shortcut) {
  return std::string(shortcut.ctrl ? "Ctrl+" : "") + (shortcut.shift ? "Shift+" : "") + KeyName(shortcut.key);
}

bool IsTextClipboardKey(WPARAM key) {
  const bool ctrlAlone = GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_MENU) >= 0;
  return ctrlAlone && (key == 'C' || key == 'V' || key == 'X');
}

}  // namespace toolkit

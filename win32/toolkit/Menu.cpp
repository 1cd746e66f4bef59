#include "toolkit/Menu.h"

#include <algorithm>

#include "os/WideText.h"
#include "toolkit/Accelerators.h"

namespace toolkit {
namespace {

// The headers define the menu flags as signed longs; the calls take UINT.
UINT EnabledFlag(bool enabled) { return enabled ? UINT{MF_ENABLED} : UINT{MF_GRAYED}; }

}  // namespace

Menu Menu::Bar() { return Menu(CreateMenu()); }
Menu Menu::Popup() { return Menu(CreatePopupMenu()); }

Menu::Menu(Menu&& other) noexcept
    : handle_(other.handle_), actions_(std::move(other.actions_)), keys_(std::move(other.keys_)) {
  other.handle_ = nullptr;
}

Menu::~Menu() {
  if (handle_ != nullptr) DestroyMenu(handle_);
}

UINT Menu::AddItem(const std::string& text, std::function<void()> action, std::vector<Shortcut> keys) {
  // Identifiers unique in the process let a bar run the items of its
  // submenus by identifier alone.
  const UINT command = NewCommand();
  const std::string shown = keys.empty() ? text : text + "\t" + ShortcutText(keys.front());
  AppendMenuW(handle_, MF_STRING | EnabledFlag(action != nullptr), command, os::Widen(shown).c_str());
  actions_.emplace(command, std::move(action));
  for (const Shortcut& key : keys) keys_.emplace_back(key, command);
  return command;
}

void Menu::SetEnabled(UINT command, bool enabled) const {
  EnableMenuItem(handle_, command, MF_BYCOMMAND | EnabledFlag(enabled));
}

void Menu::SetText(UINT command, const std::string& text) const {
  std::string shown = text;
  // The first key added for the item is the one it shows.
  const auto key =
      std::find_if(keys_.begin(), keys_.end(), [command](const auto& added) { return added.second == command; });
  if (key != keys_.end()) shown += "\t" + ShortcutText(key->first);
  std::wstring wide = os::Widen(shown);
  MENUITEMINFOW item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_STRING;
  item.dwTypeData = wide.data();
  SetMenuItemInfoW(handle_, command, FALSE, &item);
}

void Menu::AddSeparator() { AppendMenuW(handle_, MF_SEPARATOR, 0, nullptr); }

void Menu::AddSubmenu(const std::string& text, Menu submenu) {
  // The submenu's handle now belongs to this menu, which destroys it with its own.
  AppendMenuW(handle_, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu.handle_), os::Widen(text).c_str());
  submenu.handle_ = nullptr;
  actions_.merge(submenu.actions_);
  keys_.insert(keys_.end(), submenu.keys_.begin(), submenu.keys_.end());
}

bool Menu::Invoke(UINT command) const {
  const auto found = actions_.find(command);
  if (found == actions_.end()) return false;
  const UINT state = GetMenuState(handle_, command, MF_BYCOMMAND);
  if (found->second && !(state & MF_GRAYED)) found->second();
  return true;
}

void Menu::TrackAt(HWND owner, POINT screen) const {
  // Without the foreground the menu would not close when the user clicks elsewhere.
  SetForegroundWindow(owner);
  const UINT command = static_cast<UINT>(
      TrackPopupMenu(handle_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, screen.x,
                     screen.y, 0, owner, nullptr));
  if (command != 0) Invoke(command);
}

}  // namespace toolkit

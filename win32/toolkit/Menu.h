#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/Shortcut.h"

namespace toolkit {

// An owned menu, a menu bar or a popup, with the action of each item. A menu
// that is put into another, or given to a form as its bar, stays owned by
// the object that holds it: windows never destroy it on their own.
class Menu {
 public:
  static Menu Bar();
  static Menu Popup();
  Menu(Menu&& other) noexcept;
  Menu& operator=(Menu&&) = delete;
  Menu(const Menu&) = delete;
  ~Menu();

  // An item without an action shows greyed for good. Gives the item's
  // command identifier. The first of `keys` shows after the text and a tab;
  // each runs the item in a form that takes this menu's keys.
  UINT AddItem(const std::string& text, std::function<void()> action, std::vector<Shortcut> keys = {});
  // A disabled item shows greyed and can't be chosen.
  void SetEnabled(UINT command, bool enabled) const;
  // Gives an item of this menu or its submenus another text, its key kept.
  void SetText(UINT command, const std::string& text) const;
  void AddSeparator();
  // Appends `submenu` as a drop-down item; this menu takes it over.
  void AddSubmenu(const std::string& text, Menu submenu);

  // Runs the action of the item with this command identifier, unless the
  // item is greyed (a command sent by another program, or one that came in
  // before the item was greyed); false when no item of this menu or its
  // submenus has it.
  bool Invoke(UINT command) const;
  // Shows the menu at a point of the screen, owned by `owner`, and runs the
  // item chosen, if any.
  void TrackAt(HWND owner, POINT screen) const;

  HMENU Handle() const { return handle_; }
  // The keys of the items of this menu and its submenus, with their commands.
  const std::vector<std::pair<Shortcut, UINT>>& Keys() const { return keys_; }

 private:
  explicit Menu(HMENU handle) : handle_(handle) {}

  HMENU handle_;
  std::map<UINT, std::function<void()>> actions_;
  std::vector<std::pair<Shortcut, UINT>> keys_;
};

}  // namespace toolkit

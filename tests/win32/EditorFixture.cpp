#include "tests/win32/EditorFixture.h"

#include "os/WideText.h"
#include "scene/ChunkTypes.h"
#include "scene/Exception.h"
#include "tools/gui/FileDialogs.h"
#include "tools/gui/Input.h"
#include "tools/gui/MessageBoxes.h"
#include "tools/gui/TreeClicks.h"
#include "tools/gui/WhenShown.h"
#include "tools/gui/WindowSearch.h"

std::string MenuItemText(HMENU menu, int index) {
  wchar_t text[256] = {};
  GetMenuStringW(menu, static_cast<UINT>(index), text, 256, MF_BYPOSITION);
  return os::Narrow(text);
}

std::string TreeItemText(HWND view, HTREEITEM item) {
  wchar_t text[256] = {};
  TVITEMW read{};
  read.mask = TVIF_TEXT;
  read.hItem = item;
  read.pszText = text;
  read.cchTextMax = 256;
  SendMessageW(view, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&read));
  return os::Narrow(text);
}

std::string MenuItemName(const std::string& text) { return text.substr(0, text.find('\t')); }

bool NamesItem(const std::string& text, const std::string& item) {
  const std::string name = MenuItemName(text);
  return name == item || name.starts_with(item + " ");
}

EditorTest::EditorTest(const std::string& soundPlugin)
    : form(application, soundPlugin, WindowsPath(scratch.Path("program/DNCes")) + "\\",
           WindowsPath(scratch.Path("data/Recovery")) + "\\") {
  form.Show();
}

std::string EditorTest::Load(const Bytes& file) {
  const std::string path = scratch.Path("scene2.bin");
  WriteFileBytes(path, file);
  // Scenes that fail to load are part of what the tree is tried on.
  (void)form.Document().Core().Load(path);
  trace.TakeLines();
  try {
    form.FillTree();
  } catch (const Exception& failure) {
    return failure.Message;
  }
  return "";
}

void EditorTest::OpenFile(const std::string& path) {
  WhenShown choose("Open", [&path](HWND dialog) { ChooseFile(dialog, WindowsPath(path)); });
  ChooseMenu("File", "open..");
  ASSERT_TRUE(choose.Done());
}

void EditorTest::ChooseMenu(const std::string& menu, const std::string& item) {
  HMENU bar = GetMenu(form.Handle());
  for (int top = 0; top < GetMenuItemCount(bar); ++top) {
    if (menu != MenuItemText(bar, top)) continue;
    HMENU popup = GetSubMenu(bar, top);
    for (int index = 0; index < GetMenuItemCount(popup); ++index) {
      if (NamesItem(MenuItemText(popup, index), item)) {
        SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(GetMenuItemID(popup, index), 0), 0);
        return;
      }
    }
  }
  ADD_FAILURE() << "no menu item " << menu << " > " << item;
}

void EditorTest::ChooseTreeMenu(const std::string& item) {
  HMENU menu = form.TreeMenu().Handle();
  for (int index = 0; index < GetMenuItemCount(menu); ++index) {
    if (item == MenuItemName(MenuItemText(menu, index))) {
      form.TreeMenu().Invoke(GetMenuItemID(menu, index));
      return;
    }
  }
  ADD_FAILURE() << "no tree menu item " << item;
}

void EditorTest::Rename(SceneNode* node, const std::string& typed) {
  tree().Select(node);
  WhenShown answer("TStringDialog: additional", [&typed](HWND dialog) {
    SetWindowTextW(FindWindowExW(dialog, nullptr, L"Edit", nullptr), os::Widen(typed).c_str());
    SendClick(ChildWithText(dialog, "Button", "Ok"));
  });
  ChooseTreeMenu("Rename");
  EXPECT_TRUE(answer.Done());
}

std::string EditorTest::StatusPart(int part) {
  HWND line = FindWindowExW(form.Handle(), nullptr, STATUSCLASSNAMEW, nullptr);
  const auto length = LOWORD(SendMessageW(line, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0));
  std::wstring text(length + 1u, L'\0');
  SendMessageW(line, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.data()));
  text.resize(length);
  return os::Narrow(text);
}

bool EditorTest::Greyed(const std::string& item) {
  HMENU bar = GetMenu(form.Handle());
  for (int top = 0; top < GetMenuItemCount(bar); ++top) {
    HMENU popup = GetSubMenu(bar, top);
    for (int index = 0; index < GetMenuItemCount(popup); ++index) {
      if (NamesItem(MenuItemText(popup, index), item))
        return (GetMenuState(popup, static_cast<UINT>(index), MF_BYPOSITION) & MF_GRAYED) != 0;
    }
  }
  ADD_FAILURE() << "no menu item " << item;
  return false;
}

bool EditorTest::CloseWindow() {
  HWND window = form.Handle();
  SendMessageA(window, WM_CLOSE, 0, 0);
  if (IsWindow(window)) return false;
  // The program's loop would end now; this test's thread goes on.
  MSG quit;
  PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  return true;
}

// The editor as the README shows it: tool.exe started as a user starts it,
// a scene opened through the menu and the file dialog, "Objects" and its two
// largest folders open, two objects checked and a third clicked. With
// "sound", the first object named "sound..." is then found and opened in the
// sound plug-in's dialog through the tree's menu; with "value", the clicked
// object's position is typed over in the side panel, not yet applied;
// without either, the clicked object is renamed with F2 and the "Edit" menu
// is opened, its "undo" ready. Writes the left, top, width and height of what
// to picture (the main window, and the dialog or the menu over it) to
// MARKER, waits until MARKER is gone, closes the editor.
//
// editor_screenshot TOOL SCENE MARKER [sound|value]

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <vector>

#include "toolkit/Dpi.h"
#include "toolkit/TreeView.h"
#include "tools/gui/ToolProcess.h"

namespace {

HTREEITEM Next(HWND tree, HTREEITEM item, UINT relation) { return TreeItemAt(tree, item, relation); }

void Expand(HWND tree, HTREEITEM item, UINT action = TVE_EXPAND) {
  SendMessageA(tree, TVM_EXPAND, action, reinterpret_cast<LPARAM>(item));
}

int ChildCount(HWND tree, HTREEITEM item) {
  int count = 0;
  for (HTREEITEM child = Next(tree, item, TVGN_CHILD); child != nullptr; child = Next(tree, child, TVGN_NEXT)) ++count;
  return count;
}

// The folders below `section`, the largest first. A folder's children get
// their items once it has been opened, so each opens and closes again.
std::vector<HTREEITEM> FoldersBySize(HWND tree, HTREEITEM section) {
  std::vector<HTREEITEM> folders;
  for (HTREEITEM child = Next(tree, section, TVGN_CHILD); child != nullptr; child = Next(tree, child, TVGN_NEXT)) {
    Expand(tree, child);
    Expand(tree, child, TVE_COLLAPSE);
    folders.push_back(child);
  }
  std::stable_sort(folders.begin(), folders.end(),
                   [tree](HTREEITEM a, HTREEITEM b) { return ChildCount(tree, a) > ChildCount(tree, b); });
  return folders;
}

// A click on the text of an object's node: it takes the selection and the
// focus. Rows are counted from the first visible one; every row has one
// height, and an object's text starts some 100 pixels in at 96 DPI.
void ClickNodeText(HWND tree, HTREEITEM item) {
  int row = 0;
  for (HTREEITEM shown = Next(tree, nullptr, TVGN_FIRSTVISIBLE); shown != nullptr && shown != item;
       shown = Next(tree, shown, TVGN_NEXTVISIBLE))
    ++row;
  const int height = static_cast<int>(SendMessageA(tree, TVM_GETITEMHEIGHT, 0, 0));
  const LPARAM at = MAKELPARAM(toolkit::ScaleToDpi(140, toolkit::DpiOfWindow(tree)), row * height + height / 2);
  PostMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(tree, WM_LBUTTONUP, 0, at);
}

// The sound dialog for the first object whose name starts with "sound",
// found as a user finds it: typed into the search field, "find", "in Objects
// List"; then "Sound settings.." on the tree's menu. Null if it did not show.
HWND OpenSoundDialog(const ToolProcess& tool, HWND tree) {
  HWND search = FindWindowExA(tool.MainWindow(), nullptr, "Edit", nullptr);
  SendMessageA(search, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("sound"));
  PostClick(ChildWithText(tool.MainWindow(), "Button", "find"));
  HWND menu = tool.WaitForWindow(Captioned(kPopupMenuClass));
  if (menu == nullptr) return nullptr;
  PickMenuItem(0)(menu);
  if (!WaitUntil([&] { return tool.FindWindowNow(Captioned(kPopupMenuClass)) == nullptr; })) return nullptr;
  PostMessageA(tree, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tree), -1);  // as the menu key does
  menu = tool.WaitForWindow(Captioned(kPopupMenuClass));
  if (menu == nullptr) return nullptr;
  PickMenuItem(1)(menu);  // below "Rename"
  // The dialog is a form of its own, captioned with the object's name.
  const WindowMatch form = OfClass(kFormClass);
  return tool.WaitForWindow([&](HWND window) { return window != tool.MainWindow() && form(window); });
}

// Renames the selected node with F2 and opens the "Edit" menu; the menu's
// window, or null.
HWND OpenEditMenuAfterARename(const ToolProcess& tool, HWND tree) {
  PostMessageA(tree, WM_KEYDOWN, VK_F2, 0);
  HWND rename = tool.WaitForWindow(Captioned("TStringDialog: additional"));
  if (rename == nullptr) return nullptr;
  SendMessageA(FindWindowExA(rename, nullptr, "Edit", nullptr), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("crate_big"));
  PostClick(ChildWithText(rename, "Button", "Ok"));
  if (!WaitUntil([&] { return !IsWindow(rename) || !IsWindowVisible(rename); })) return nullptr;
  SetForegroundWindow(tool.MainWindow());
  PostMessageA(tool.MainWindow(), WM_SYSCOMMAND, SC_KEYMENU, 0);
  PostMessageA(tool.MainWindow(), WM_KEYDOWN, VK_RIGHT, 0);
  PostMessageA(tool.MainWindow(), WM_KEYDOWN, VK_DOWN, 0);
  return tool.WaitForWindow(Captioned(kPopupMenuClass));
}

// The side panel's box opened with F2 on the position of the selected
// object, a new position typed in it; the box, or null. The position is the
// line below the name and the object type.
HWND TypeOverAPosition(const ToolProcess& tool) {
  HWND panel = FindWindowExA(tool.MainWindow(), nullptr, "Static", nullptr);
  HWND structure = FindWindowExA(panel, nullptr, WC_TREEVIEWA, nullptr);
  HTREEITEM line = nullptr;
  // The panel shows the chunk once the editor waits for input again.
  const bool shown = WaitUntil([&] {
    line = Next(structure, Next(structure, nullptr, TVGN_ROOT), TVGN_CHILD);
    for (int below = 0; below < 2 && line != nullptr; ++below) line = Next(structure, line, TVGN_NEXT);
    return line != nullptr;
  });
  if (!shown) return nullptr;
  SendMessageA(structure, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(line));
  PostMessageA(structure, WM_KEYDOWN, VK_F2, 0);
  HWND box = nullptr;
  if (!WaitUntil([&] {
        box = FindWindowExA(structure, nullptr, "Edit", nullptr);
        return box != nullptr && IsWindowVisible(box);
      }))
    return nullptr;
  SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"12.5, 0, -3.25"));
  return box;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc == 5 ? argv[4] : "";
  const bool sound = mode == "sound";
  const bool value = mode == "value";
  if (argc != 4 && !sound && !value) {
    std::fputs("usage: editor_screenshot TOOL SCENE MARKER [sound|value]\n", stderr);
    return 2;
  }
  const std::string marker = HostPath(argv[3]);
  ToolProcess tool(HostPath(argv[1]), "NUL");
  HWND tree = FindWindowExA(tool.MainWindow(), nullptr, WC_TREEVIEWA, nullptr);
  tool.ChooseMenu(0, 0);
  tool.ChooseFile("Open", HostPath(argv[2]));
  HTREEITEM objects = Next(tree, Next(tree, nullptr, TVGN_ROOT), TVGN_CHILD);
  // "Objects" opens once the scene is in the tree.
  const bool filled = WaitUntil([&] {
    Expand(tree, objects);
    return Next(tree, objects, TVGN_CHILD) != nullptr;
  });
  if (!filled) return 1;
  const std::vector<HTREEITEM> folders = FoldersBySize(tree, objects);
  for (size_t index = 0; index < 2 && index < folders.size(); ++index) Expand(tree, folders[index]);
  HTREEITEM object = Next(tree, folders.front(), TVGN_CHILD);
  HTREEITEM third = Next(tree, Next(tree, object, TVGN_NEXT), TVGN_NEXT);
  CheckNode(tree, object);
  CheckNode(tree, third);
  SetForegroundWindow(tool.MainWindow());
  ClickNodeText(tree, Next(tree, third, TVGN_NEXT));
  Sleep(300);  // the click's repaint

  RECT window{};
  GetWindowRect(tool.MainWindow(), &window);
  HWND over = sound   ? OpenSoundDialog(tool, tree)
              : value ? TypeOverAPosition(tool)
                      : OpenEditMenuAfterARename(tool, tree);
  if (over == nullptr) return 1;
  Sleep(300);  // its first paint
  RECT shown{};
  GetWindowRect(over, &shown);
  UnionRect(&window, &window, &shown);
  std::ofstream(marker) << window.left << ' ' << window.top << ' ' << window.right - window.left << ' '
                        << window.bottom - window.top << '\n';
  WaitUntil([&marker] { return GetFileAttributesA(marker.c_str()) == INVALID_FILE_ATTRIBUTES; }, 120000);
  if (sound) {
    PostMessageA(over, WM_CLOSE, 0, 0);
  } else if (value) {
    PostMessageA(over, WM_KEYDOWN, VK_ESCAPE, 0);  // nothing applied, nothing to ask about on close
    Sleep(300);
  } else {
    // The menu closed, and the rename taken back: nothing to ask about on close.
    PostMessageA(tool.MainWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(tool.MainWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
    Sleep(300);
    tool.ChooseMenu(1, 0);  // Edit > undo
    Sleep(300);
  }
  return tool.Close() == 0 ? 0 : 1;
}

#pragma once
// The editor's main window created in-process, with its trace collected and a
// scratch folder for scene files; its exports go into "program\DNCes\"
// there, as beside a program of the scratch folder's own, and its recovery
// files into "data\Recovery\", as in the user's own application data.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/Form1.h"
#include "tests/SceneTestSupport.h"
#include "tests/SceneTreeHelpers.h"
#include "toolkit/Application.h"

// What the item at `index` of `menu` says, with the key shown after its tab.
std::string MenuItemText(HMENU menu, int index);
// A menu item's text without the key shown after its tab.
std::string MenuItemName(const std::string& text);
// The text of `item` in the tree-view control `view`, as it shows it.
std::string TreeItemText(HWND view, HTREEITEM item);
// Whether the item's text names `item`, alone or followed by what it works
// on: "undo" names "undo position of crate".
bool NamesItem(const std::string& text, const std::string& item);

class EditorTest : public ::testing::Test {
 protected:
  // `soundPlugin`: the sound plug-in the editor hosts; none by default.
  explicit EditorTest(const std::string& soundPlugin = "no-such-plugin.dll");

  toolkit::TreeView& tree() { return form.Tree(); }
  toolkit::TreeModel& model() { return form.Scene().Model(); }
  const FixedNodes& nodes() const { return form.Nodes(); }

  // Writes `file` to the scratch folder and loads it as "open.." does, without
  // the dialog; gives the error that ended the fill, if any.
  std::string Load(const Bytes& file);
  // "open.." with the file chosen in the dialog.
  void OpenFile(const std::string& path);
  // Runs a menu item of the bar, named without its key, as a click on it would.
  void ChooseMenu(const std::string& menu, const std::string& item);
  // Runs an item of the tree's menu for the selected node.
  void ChooseTreeMenu(const std::string& item);
  // "Rename" on the node, `typed` (UTF-8) given to the dialog and "Ok" pressed.
  void Rename(SceneNode* node, const std::string& typed);
  // Whether the item of the bar's menus shows greyed.
  bool Greyed(const std::string& item);
  // The text of a part of the status line: 0 the file, 1 the counts, 2 what
  // the last command did.
  std::string StatusPart(int part);
  // Asks the window to close, as its close box does; true when it went.
  bool CloseWindow();

  TraceCollector trace;
  ScratchFolder scratch;
  toolkit::Application application{"tool"};
  TForm1 form;
};

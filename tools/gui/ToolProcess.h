#pragma once
// tool.exe started as a user starts it, its standard output going to a file,
// and driven from outside through its windows: the keyboard for the menus,
// the file dialog's own controls for a file name.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tools/gui/FileDialogs.h"
#include "tools/gui/Input.h"
#include "tools/gui/MessageBoxes.h"
#include "tools/gui/TreeClicks.h"
#include "tools/gui/WhenShown.h"
#include "tools/gui/WindowSearch.h"

// Another process's tree view, through messages that carry no pointers.
// The item in `relation` (TVGN_...) to `item`.
HTREEITEM TreeItemAt(HWND tree, HTREEITEM item, UINT relation);
// Expands every node, which gives the children of each their items; the
// number of items then.
int ExpandAll(HWND tree);
// Selects the node and flips its check box, as the space bar does.
void CheckNode(HWND tree, HTREEITEM item);

class ToolProcess {
 public:
  // Starts `program` with `arguments`, each quoted on its command line as
  // the shell quotes a path, and waits for its main window (which a box it
  // shows at start may disable).
  ToolProcess(const std::string& program, const std::string& outputFile,
              const std::vector<std::string>& arguments = {});
  ToolProcess(const ToolProcess&) = delete;
  ToolProcess& operator=(const ToolProcess&) = delete;
  // Ends the program if it still runs.
  ~ToolProcess();

  HWND MainWindow() const { return main_; }
  // The window of the program's trace console; null when none shows.
  HWND ConsoleWindow() const;
  // A visible, enabled top-level window of the program that matches, once it
  // shows; null when none showed in time.
  HWND WaitForWindow(const WindowMatch& match) const;
  // The same at once: null when none shows now.
  HWND FindWindowNow(const WindowMatch& match) const;
  // Picks the item at `item` of the menu bar's menu at `menu`, as Alt, the
  // arrow keys and Enter do.
  void ChooseMenu(int menu, int item) const;
  // Chooses `path` in the file dialog with this caption, and answers Yes if
  // the dialog asks before replacing the file.
  void ChooseFile(const std::string& caption, const std::string& path) const;
  // Closes the main window and waits for the program to end; its exit code.
  DWORD Close();
  // Ends the program at once, as a crash or the task manager does.
  void Kill();

 private:
  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
};

#pragma once

#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/Control.h"
#include "toolkit/Menu.h"
#include "toolkit/TreeNodes.h"

namespace toolkit {

struct TreeViewArgs {
  Bounds bounds{};
  Anchors anchors = kAnchorsTopLeft;
  FontSpec font{};
  const Menu* contextMenu = nullptr;  // not owned
  // Runs after a left click on a node's check box, once the tree has flipped it.
  std::function<void(HTREEITEM)> onCheckBoxClick{};
};

// A tree with a check box on every node, lines and expand buttons, full-row
// selection that stays visible without the focus, and neither drag and drop
// nor editing in place. A right-button press selects the node under the
// mouse before the context menu opens.
//
// The nodes' structure, texts, data and check states are read from a copy
// kept here (TreeNodes), so reading costs no message. The control gets a
// node's check state once the node can show: when its parent is expanded,
// or the node is made visible or selected. Until then changing it costs no
// message either, which lets a click check 50,000 nodes at once.
class TreeView final : public Control {
 public:
  struct Hit {
    HTREEITEM item;
    bool onCheckBox;
  };

  TreeView(Window& parent, TreeViewArgs args);

  // Inserts a node, unchecked, as the last child of `parent` (null: at the top).
  HTREEITEM Insert(HTREEITEM parent, const std::string& text, LPARAM data = 0);
  // Deletes the node with everything below it.
  void Delete(HTREEITEM item);
  // Deletes the nodes, each with everything below it. Wine's tree removes a
  // whole branch much faster than its nodes one by one, and finds a node
  // fastest at the front of its list of nodes, which is in the order they
  // were inserted: so the highest nodes go first, each with its branch, and
  // nodes of one depth in the order they were inserted.
  void Delete(std::vector<HTREEITEM> items);
  void DeleteAll();
  unsigned Count() const;

  HTREEITEM FirstRoot() const { return nodes_[nullptr].firstChild; }
  HTREEITEM FirstChild(HTREEITEM item) const { return nodes_[item].firstChild; }
  HTREEITEM NextSibling(HTREEITEM item) const { return nodes_[item].next; }
  HTREEITEM Parent(HTREEITEM item) const { return nodes_[item].parent; }
  HTREEITEM Selected() const;

  const std::string& Text(HTREEITEM item) const { return nodes_[item].text; }
  void SetText(HTREEITEM item, const std::string& text);
  LPARAM Data(HTREEITEM item) const { return nodes_[item].data; }
  void SetData(HTREEITEM item, LPARAM data);
  int CheckState(HTREEITEM item) const { return nodes_[item].state; }
  void SetCheckState(HTREEITEM item, int state);
  bool IsBold(HTREEITEM item) const { return State(item, TVIS_BOLD) != 0; }
  void SetBold(HTREEITEM item) const;
  bool IsExpanded(HTREEITEM item) const { return State(item, TVIS_EXPANDED) != 0; }
  void Expand(HTREEITEM item);
  // Expands the node's ancestors and scrolls it into view.
  void MakeVisible(HTREEITEM item);
  void Select(HTREEITEM item);

  // The node at a point of the client area, if any.
  Hit HitTest(POINT point) const;

  // Stops or resumes painting; resuming repaints the whole tree.
  void SetRedraw(bool redraw) const;

 private:
  UINT State(HTREEITEM item, UINT mask) const;
  void SetState(HTREEITEM item, UINT state, UINT mask) const;
  // Gives the control the check states of the node's children from now on.
  void ShowChildren(HTREEITEM item);
  void ShowAncestors(HTREEITEM item);
  void PassCheckState(HTREEITEM item);
  // Takes the check state that the control gave a node itself.
  void TakeCheckState(HTREEITEM item);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnLeftButton(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnRightButtonDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnNotify(const NMHDR& header) override;
  void OnContextMenu(LPARAM lParam) const;
  void ShowContextMenu(POINT screen) const;

  TreeNodes nodes_;
  const Menu* contextMenu_;
  POINT rightClick_{};  // where the right button was last pressed
  std::function<void(HTREEITEM)> onCheckBoxClick_;
};

// Keeps a tree from painting, and from placing its rows again, while a
// command changes many nodes; it repaints once at the end.
class RedrawPause {
 public:
  explicit RedrawPause(const TreeView& tree) : tree_(tree) { tree_.SetRedraw(false); }
  RedrawPause(const RedrawPause&) = delete;
  RedrawPause& operator=(const RedrawPause&) = delete;
  ~RedrawPause() { tree_.SetRedraw(true); }

 private:
  const TreeView& tree_;
};

}  // namespace toolkit

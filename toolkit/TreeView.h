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
  std::function<void(TreeItem)> onCheckBoxClick{};
};

// A tree with a check box on every node, lines and expand buttons, full-row
// selection that stays visible without the focus, and neither drag and drop
// nor editing in place. A right-button press selects the node under the
// mouse before the context menu opens.
//
// The nodes live in TreeNodes; the control gets items for the children of a
// node once the node is opened: by the user, or by Expand, MakeVisible or
// Select. Until then a node has a button if it has children, and changing
// what it holds costs no message; so filling, checking and deleting 50,000
// nodes in closed folders touches only the folders in the control. An item
// takes its node's check state when it is drawn, or before the user clicks
// its box, so checking the nodes of a large open folder costs a repaint.
class TreeView final : public Control {
 public:
  struct Hit {
    TreeItem item;
    bool onCheckBox;
  };

  TreeView(Window& parent, TreeViewArgs args);

  // Inserts a node, unchecked, as the last child of `parent` (null: at the
  // top). Null when the control could not take it.
  TreeItem Insert(TreeItem parent, const std::string& text, LPARAM data = 0);
  // Deletes the node with everything below it.
  void Delete(TreeItem item);
  // Deletes the nodes, each with everything below it; a node below another
  // one of them goes with that one.
  void Delete(const std::vector<TreeItem>& items);
  void DeleteAll();
  // The nodes, whether the control has items for them or not.
  unsigned Count() const { return static_cast<unsigned>(nodes_.Count()); }

  TreeItem FirstRoot() const { return nodes_.Root()->firstChild; }
  TreeItem FirstChild(TreeItem item) const { return item->firstChild; }
  TreeItem NextSibling(TreeItem item) const { return item->next; }
  TreeItem Parent(TreeItem item) const { return item->parent; }
  // The children of the node (null: the top-level nodes).
  unsigned ChildCount(TreeItem item) const {
    return static_cast<unsigned>((item != nullptr ? item : nodes_.Root())->childCount);
  }
  TreeItem Selected() const;

  const std::string& Text(TreeItem item) const { return item->text; }
  void SetText(TreeItem item, const std::string& text);
  LPARAM Data(TreeItem item) const { return item->data; }
  void SetData(TreeItem item, LPARAM data) { item->data = data; }
  int CheckState(TreeItem item) const { return item->state; }
  void SetCheckState(TreeItem item, int state);
  bool IsBold(TreeItem item) const { return item->bold; }
  void SetBold(TreeItem item);
  bool IsExpanded(TreeItem item) const;
  void Expand(TreeItem item);
  // Expands the node's ancestors and scrolls it into view.
  void MakeVisible(TreeItem item);
  void Select(TreeItem item);

  // The control's item for the node: null until the node's parent is opened.
  HTREEITEM ControlItem(TreeItem item) const { return item->item; }
  // The node at a point of the client area, if any.
  Hit HitTest(POINT point) const;

  // Stops or resumes painting; resuming repaints the whole tree.
  void SetRedraw(bool redraw) const;

 private:
  TreeItem NodeOf(HTREEITEM item) const;
  UINT State(HTREEITEM item, UINT mask) const;
  void SetState(HTREEITEM item, UINT state, UINT mask) const;
  // Gives the node an item in the control, below its parent's.
  bool PutInControl(TreeItem item) const;
  // Tells the control whether the node's item has a button.
  void ShowChildrenButton(const TreeNode& node) const;
  // Gives the node's children items in the control.
  void Open(TreeItem item);
  void OpenAncestors(TreeItem item);
  // Gives the node's item the node's check state.
  void ShowCheckState(TreeItem item);
  // Takes the check state that the control gave a node itself.
  void TakeCheckState(TreeItem item);
  // Invalidates the tree once until it paints.
  void RequestRepaint();

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
  std::function<void(TreeItem)> onCheckBoxClick_;
  bool repaintRequested_ = false;
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

#pragma once

#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

#include <functional>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "toolkit/CheckBoxImages.h"
#include "toolkit/Control.h"
#include "toolkit/Menu.h"
#include "treemodel/TreeModel.h"

namespace toolkit {

struct TreeViewArgs {
  Bounds bounds{};
  Anchors anchors = kAnchorsTopLeft;
  FontSpec font{};
  const Menu* contextMenu = nullptr;  // not owned
  // Runs right before the context menu shows, the node it is for selected.
  std::function<void()> beforeContextMenu{};
  // Runs after the user flips a node's check box, by a left click on it or
  // the space bar, once the model holds the new state.
  std::function<void(TreeModelNode&)> onCheckBoxFlip{};
  // A node's text as the control shows it; null for the text as UTF-8.
  std::function<std::wstring(const std::string&)> shownText{};
  // Without, the nodes' check states are not shown, nor changed by the user.
  bool checkBoxes = true;
  // Runs once the selection rests after another node (or none) became the
  // selected one: when the program waits for input again, and, after a
  // change made by a key, once the keys have stopped (none held down, none
  // for the tree waiting) or the focus has left; so a held arrow key runs
  // it once, where it stops. Once for many changes, and never in the middle
  // of a change to the model.
  std::function<void()> onSelect{};
  // F2 or Enter on the selected node, or a double-click on a node's line
  // (not on its box), which selects it: asks to edit the node. With it, the
  // tree takes F2 and Enter before the window's keys and its default button.
  std::function<void(TreeModelNode&)> onEditKey{};
  // The Delete key on the tree.
  std::function<void()> onDeleteKey{};
};

// Shows a TreeModel and follows its changes: a check box on every node (unless
// asked for none), lines
// and expand buttons, full-row selection that stays visible without the
// focus, and neither drag and drop nor editing in place. A right-button
// press selects the node under the mouse before the context menu opens; a
// click on a box or the space bar sets the node's state in the model.
//
// The control gets items for the children of a node only once the node is
// opened: by the user, or by Expand, MakeVisible or Select. Wine's tree view
// looks every item handle up in a list of all its items, so with 50,000
// items each message, insertion and deletion costs a walk over that list;
// this way, filling, checking and deleting in closed folders touches only
// the folders in the control. The items of a changed check state take it
// together, once the program waits for input again, or, when too many
// changed for Wine's tree (which walks every item after each change to
// one), as they are drawn.
class TreeView final : public Control, private TreeModelListener {
 public:
  struct Hit {
    TreeModelNode* node;
    bool onCheckBox;
  };

  TreeView(Window& parent, TreeModel& model, TreeViewArgs args);
  ~TreeView() override;

  TreeModelNode* Selected() const;
  bool IsExpanded(const TreeModelNode& node) const;
  void Expand(TreeModelNode& node);
  // Expands the node's ancestors and scrolls it into view.
  void MakeVisible(TreeModelNode& node);
  // Selects the node (null: none), opening its ancestors.
  void Select(TreeModelNode* node);

  // The control's item for the node: null until the node's parent is opened.
  HTREEITEM ControlItem(const TreeModelNode& node) const;
  // The node at a point of the client area, if any.
  Hit HitTest(POINT point) const;

  // Stops or resumes painting; resuming repaints the whole tree.
  void SetRedraw(bool redraw) const;

  // Check boxes too, which the control itself would keep at their first size.
  void Rescale(int dpi) override;

 private:
  // What the control holds of a node that has an item.
  struct Item {
    HTREEITEM handle = nullptr;
    CheckState shown = CheckState::Unchecked;
    bool open = false;  // its children have items too
  };

  void NodeAdded(TreeModelNode& node) override;
  void NodeRemoving(TreeModelNode& node) override;
  void NodesCleared() override;
  void TextChanged(TreeModelNode& node) override;
  void CheckChanged(TreeModelNode& node) override;
  void BoldChanged(TreeModelNode& node) override;
  void ExpandedChanged(TreeModelNode& node) override;
  void ChildrenReworking(TreeModelNode& parent) override;
  void ChildrenReworked(TreeModelNode& parent) override;

  Item* ItemOf(const TreeModelNode& node);
  const Item* ItemOf(const TreeModelNode& node) const;
  // Whether the children of `parent` (null: the top-level nodes) have items.
  bool IsOpen(const TreeModelNode* parent) const;
  TreeModelNode* NodeOf(HTREEITEM item) const;
  // Whether `item` is `above` or lies below it.
  bool IsBelow(HTREEITEM item, HTREEITEM above) const;
  UINT State(HTREEITEM item, UINT mask) const;
  void SetState(HTREEITEM item, UINT state, UINT mask) const;
  // Gives the node an item in the control, below its parent's, after the
  // item `after` (or TVI_FIRST, TVI_LAST).
  void PutInControl(TreeModelNode& node, HTREEITEM after);
  // Forgets the items of the node and of everything below it that has one.
  void ForgetItems(const TreeModelNode& node);
  // Tells the control whether the node's item has an expand button.
  void ShowChildrenButton(const TreeModelNode& node, bool shown) const;
  // Gives the node's children items in the control.
  void Open(TreeModelNode& node);
  void OpenAncestors(const TreeModelNode& node);
  // Gives the node's item the node's check state.
  void ShowCheckState(const TreeModelNode* node);
  // Takes the check state that the control gave a node's item into the model.
  void TakeCheckState(TreeModelNode& node);
  // Gives every item whose node's check state changed that state, at once.
  void ShowChangedCheckStates();

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT HandleOwnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnLeftButton(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnRightButtonDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
  // Whether `key` is one that asks to edit the selected node.
  bool IsEditKey(WPARAM key) const;
  LRESULT OnNotify(const NMHDR& header) override;
  // Posts the message on which onSelect runs; it runs only once the keys
  // have stopped, with `unlessKeysGoOn`.
  void PostSelectNotice(bool unlessKeysGoOn);
  void OnSelectNotice(bool unlessKeysGoOn);
  bool KeysGoOn() const;
  // After the tree has handled `message`: the key held down, and the
  // notice that waited for the keys to stop, once they have.
  void FollowKeys(UINT message, WPARAM wParam);
  void OnContextMenu(LPARAM lParam) const;
  void ShowContextMenu(POINT screen) const;

  TreeModel& model_;  // not owned
  std::unordered_map<const TreeModelNode*, Item> items_;
  // Nodes whose items show another check state than they have.
  std::unordered_set<const TreeModelNode*> changedChecks_;
  // Open nodes whose children's items were dropped for a rework, and
  // whether each was expanded; the node selected below one of them.
  std::unordered_map<const TreeModelNode*, bool> reworked_;
  TreeModelNode* selectedInRework_ = nullptr;
  const Menu* contextMenu_;
  POINT rightClick_{};  // where the right button was last pressed
  std::function<void(TreeModelNode&)> onCheckBoxFlip_;
  std::function<void()> beforeContextMenu_;
  std::function<std::wstring(const std::string&)> shownText_;
  bool checkBoxes_;
  std::function<void()> onSelect_;
  std::function<void(TreeModelNode&)> onEditKey_;
  std::function<void()> onDeleteKey_;
  // Whether onSelect is due: posted, or waiting for the keys to stop.
  enum class SelectNotice { None, Posted, AfterKeys };
  SelectNotice selectNotice_ = SelectNotice::None;
  bool inKey_ = false;  // while the tree handles a key message
  WPARAM heldKey_ = 0;  // the key last pushed down on the tree, until let go there
  int createdDpi_ = Dpi();
  // While the control is at another DPI than the one it was made at.
  std::optional<CheckBoxImages> checkBoxImages_;
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

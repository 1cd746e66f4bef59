#pragma once

#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

#include <cstddef>
#include <string>
#include <unordered_map>

namespace toolkit {

// Check states as a tree view keeps them: the index of the state image.
constexpr int kUnchecked = 1;
constexpr int kChecked = 2;

// A node of a TreeView: what the tree holds, kept beside the control so that
// reading it costs no message. The control itself gets an item for a node
// only once the node's parent has been opened, because Wine's tree view looks
// every item handle up in a list of all its items: with 50,000 items, each
// message, each insertion and each deletion costs a walk over that list. An
// item gets its node's check state when it is drawn, because Wine's tree
// measures every row of an expanded folder again after each change to one.
struct TreeNode {
  TreeNode* parent = nullptr;  // null for a top-level node
  TreeNode* firstChild = nullptr;
  TreeNode* lastChild = nullptr;
  TreeNode* next = nullptr;
  TreeNode* previous = nullptr;
  size_t childCount = 0;
  std::string text;
  LPARAM data = 0;
  unsigned long long order = 0;  // the how-manieth node made; the key it is kept under
  int state = kUnchecked;        // the check state
  int shownState = kUnchecked;   // the check state of the control's item
  bool bold = false;
  HTREEITEM item = nullptr;  // the control's item for the node; null while it has none
  bool open = false;         // whether the children have items in the control
};

// How callers hold a node: valid until the node is deleted.
using TreeItem = TreeNode*;

// The nodes of a tree. The invisible root above the top-level nodes is a node
// too, open from the start.
class TreeNodes {
 public:
  TreeNodes() { Clear(); }
  TreeNodes(const TreeNodes&) = delete;
  TreeNodes& operator=(const TreeNodes&) = delete;

  TreeItem Root() const { return root_; }
  // The node that holds `item` in its list of children: its parent, or the root.
  TreeNode& Above(TreeItem item) const { return item->parent != nullptr ? *item->parent : *root_; }

  // Makes an unchecked node, the last child of `parent` (null: at the top).
  TreeItem Add(TreeItem parent, const std::string& text, LPARAM data);
  // Removes the node with everything below it.
  void Remove(TreeItem item);
  void Clear();
  size_t Count() const { return nodes_.size() - 1; }

 private:
  void Forget(TreeItem item);

  // Elements of an unordered map never move, so a node's address is its handle.
  std::unordered_map<unsigned long long, TreeNode> nodes_;
  unsigned long long made_ = 0;
  TreeNode* root_ = nullptr;
};

}  // namespace toolkit

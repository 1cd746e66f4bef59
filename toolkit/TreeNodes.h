#pragma once

#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

#include <string>
#include <unordered_map>

namespace toolkit {

// Check states as a tree view keeps them: the index of the state image.
constexpr int kUnchecked = 1;
constexpr int kChecked = 2;

// What a tree view holds, kept beside the control so that reading it costs no
// message: Wine's tree view looks every node handle up in a list of all its
// nodes, so one message on a tree of 50,000 nodes takes tens of microseconds,
// and a walk over the whole tree took seconds. Null stands for the invisible
// root above the top-level nodes.
class TreeNodes {
 public:
  struct Node {
    HTREEITEM parent = nullptr;
    HTREEITEM firstChild = nullptr;
    HTREEITEM lastChild = nullptr;
    HTREEITEM next = nullptr;
    HTREEITEM previous = nullptr;
    std::string text;
    LPARAM data = 0;
    unsigned long long order = 0;  // the how-manieth node inserted
    int state = 0;                 // the check state
    int shownState = 0;            // the state that the control shows
    bool childrenShown = false;    // whether the children's states reach the control
  };

  TreeNodes() { Clear(); }

  // Appends `item` as the last child of `parent`; its state, and the one the
  // control shows, is `state`.
  void Add(HTREEITEM item, HTREEITEM parent, const std::string& text, LPARAM data, int state);
  // Removes the node with everything below it.
  void Remove(HTREEITEM item);
  void Clear();

  bool Holds(HTREEITEM item) const { return nodes_.count(item) != 0; }
  int Depth(HTREEITEM item) const;
  Node& operator[](HTREEITEM item) { return nodes_.at(item); }
  const Node& operator[](HTREEITEM item) const { return nodes_.at(item); }

 private:
  void Forget(HTREEITEM item);

  std::unordered_map<HTREEITEM, Node> nodes_;
  unsigned long long added_ = 0;
};

}  // namespace toolkit

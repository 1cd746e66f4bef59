#include "toolkit/TreeNodes.h"

namespace toolkit {

void TreeNodes::Add(HTREEITEM item, HTREEITEM parent, const std::string& text, LPARAM data, int state) {
  Node& above = nodes_.at(parent);
  Node& node = nodes_[item];
  node = {.parent = parent,
          .previous = above.lastChild,
          .text = text,
          .data = data,
          .order = ++added_,
          .state = state,
          .shownState = state,
          .childrenShown = false};
  if (above.lastChild != nullptr)
    nodes_.at(above.lastChild).next = item;
  else
    above.firstChild = item;
  above.lastChild = item;
}

void TreeNodes::Remove(HTREEITEM item) {
  Node& node = nodes_.at(item);
  Node& above = nodes_.at(node.parent);
  if (node.previous != nullptr)
    nodes_.at(node.previous).next = node.next;
  else
    above.firstChild = node.next;
  if (node.next != nullptr)
    nodes_.at(node.next).previous = node.previous;
  else
    above.lastChild = node.previous;
  Forget(item);
}

void TreeNodes::Forget(HTREEITEM item) {
  for (HTREEITEM child = nodes_.at(item).firstChild; child != nullptr;) {
    const HTREEITEM next = nodes_.at(child).next;
    Forget(child);
    child = next;
  }
  nodes_.erase(item);
}

int TreeNodes::Depth(HTREEITEM item) const {
  int depth = 0;
  for (HTREEITEM above = nodes_.at(item).parent; above != nullptr; above = nodes_.at(above).parent) ++depth;
  return depth;
}

void TreeNodes::Clear() {
  nodes_.clear();
  nodes_[nullptr].childrenShown = true;  // the top-level nodes always show
}

}  // namespace toolkit

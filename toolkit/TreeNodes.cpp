#include "toolkit/TreeNodes.h"

namespace toolkit {

TreeItem TreeNodes::Add(TreeItem parent, const std::string& text, LPARAM data) {
  TreeNode& above = parent != nullptr ? *parent : *root_;
  const unsigned long long order = ++made_;
  TreeNode& node = nodes_[order];
  node.parent = parent;
  node.previous = above.lastChild;
  node.text = text;
  node.data = data;
  node.order = order;
  if (above.lastChild != nullptr)
    above.lastChild->next = &node;
  else
    above.firstChild = &node;
  above.lastChild = &node;
  ++above.childCount;
  return &node;
}

void TreeNodes::Remove(TreeItem item) {
  TreeNode& above = Above(item);
  if (item->previous != nullptr)
    item->previous->next = item->next;
  else
    above.firstChild = item->next;
  if (item->next != nullptr)
    item->next->previous = item->previous;
  else
    above.lastChild = item->previous;
  --above.childCount;
  Forget(item);
}

void TreeNodes::Forget(TreeItem item) {
  for (TreeItem child = item->firstChild; child != nullptr;) {
    const TreeItem next = child->next;
    Forget(child);
    child = next;
  }
  nodes_.erase(item->order);
}

void TreeNodes::Clear() {
  nodes_.clear();
  root_ = &nodes_[0];
  root_->item = TVI_ROOT;
  root_->open = true;  // the top-level nodes always have items
}

}  // namespace toolkit

#include "treemodel/TreeModel.h"

#include <algorithm>
#include <map>

namespace toolkit {

TreeModel::~TreeModel() {
  listener_ = nullptr;
  Clear();
}

void TreeModel::Link(std::unique_ptr<TreeModelNode> node, TreeModelNode* parent, TreeModelNode* previous,
                     std::string text) {
  TreeModelNode& added = *node.release();
  TreeModelNode& above = Above(parent);
  added.parent_ = parent;
  added.previous_ = previous;
  added.next_ = previous != nullptr ? previous->next_ : above.firstChild_;
  added.text_ = std::move(text);
  added.order_ = ++made_;
  if (previous != nullptr)
    previous->next_ = &added;
  else
    above.firstChild_ = &added;
  if (added.next_ != nullptr)
    added.next_->previous_ = &added;
  else
    above.lastChild_ = &added;
  ++above.childCount_;
  ++count_;
  if (listener_ != nullptr) listener_->NodeAdded(added);
}

void TreeModel::Remove(TreeModelNode& node) {
  if (listener_ != nullptr) listener_->NodeRemoving(node);
  Unlink(node);
  Forget(node);
}

std::vector<TreeModelNode*> TreeModel::Highest(const std::vector<TreeModelNode*>& nodes) {
  // A sorted copy rather than a hash set: no allocation per node, which
  // counts when a delete takes half a million.
  std::vector<TreeModelNode*> listed = nodes;
  std::sort(listed.begin(), listed.end());
  listed.erase(std::unique(listed.begin(), listed.end()), listed.end());
  const auto goesWithAncestor = [&listed](const TreeModelNode* node) {
    for (TreeModelNode* above = node->Parent(); above != nullptr; above = above->Parent())
      if (std::binary_search(listed.begin(), listed.end(), above)) return true;
    return false;
  };
  std::vector<TreeModelNode*> highest;
  for (TreeModelNode* node : listed)
    if (!goesWithAncestor(node)) highest.push_back(node);
  std::sort(highest.begin(), highest.end(),
            [](const TreeModelNode* a, const TreeModelNode* b) { return a->Order() < b->Order(); });
  return highest;
}

void TreeModel::Remove(const std::vector<TreeModelNode*>& nodes) {
  const std::vector<TreeModelNode*> highest = Highest(nodes);
  std::map<TreeModelNode*, size_t> removedBelow;
  for (const TreeModelNode* node : highest) ++removedBelow[&Above(*node)];
  std::vector<std::unique_ptr<Rework>> reworks;
  for (const auto& [parent, removed] : removedBelow)
    if (parent != &root_) reworks.push_back(std::make_unique<Rework>(*this, *parent, removed));
  // In the order they were made: a view finds the earliest made fastest
  // (Wine's tree keeps its items in a list in the order they were inserted).
  for (TreeModelNode* node : highest) Remove(*node);
}

TreeModel::Rework::Rework(TreeModel& model, TreeModelNode& parent, size_t changes)
    // Few changes, or few against the children that stay: each is followed.
    : listener_(changes >= 64 && changes * 4 >= parent.ChildCount() ? model.listener_ : nullptr), parent_(parent) {
  if (listener_ != nullptr) listener_->ChildrenReworking(parent_);
}

TreeModel::Rework::~Rework() {
  if (listener_ != nullptr) listener_->ChildrenReworked(parent_);
}

void TreeModel::Unlink(TreeModelNode& node) {
  TreeModelNode& above = Above(node);
  if (node.previous_ != nullptr)
    node.previous_->next_ = node.next_;
  else
    above.firstChild_ = node.next_;
  if (node.next_ != nullptr)
    node.next_->previous_ = node.previous_;
  else
    above.lastChild_ = node.previous_;
  --above.childCount_;
}

void TreeModel::Forget(TreeModelNode& node) {
  for (TreeModelNode* child = node.firstChild_; child != nullptr;) {
    TreeModelNode* next = child->next_;
    Forget(*child);
    child = next;
  }
  --count_;
  delete &node;
}

void TreeModel::Clear() {
  for (TreeModelNode* node = root_.firstChild_; node != nullptr;) {
    TreeModelNode* next = node->next_;
    Forget(*node);
    node = next;
  }
  root_.firstChild_ = root_.lastChild_ = nullptr;
  root_.childCount_ = 0;
  if (listener_ != nullptr) listener_->NodesCleared();
}

void TreeModel::SetText(TreeModelNode& node, std::string text) {
  node.text_ = std::move(text);
  if (listener_ != nullptr) listener_->TextChanged(node);
}

void TreeModel::SetCheck(TreeModelNode& node, CheckState check) {
  if (node.check_ == check) return;
  node.check_ = check;
  if (listener_ != nullptr) listener_->CheckChanged(node);
}

void TreeModel::SetBold(TreeModelNode& node) {
  node.bold_ = true;
  if (listener_ != nullptr) listener_->BoldChanged(node);
}

void TreeModel::SetExpanded(TreeModelNode& node, bool expanded) {
  if (node.expanded_ == expanded) return;
  node.expanded_ = expanded;
  if (listener_ != nullptr) listener_->ExpandedChanged(node);
}

}  // namespace toolkit

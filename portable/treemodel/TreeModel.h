#pragma once
// What a tree view shows, kept apart from the control: nodes with their text,
// boldness, check state and whether they are open, in a tree that a program changes and reads
// without a window, and that a TreeView mirrors. Portable: no Win32 in it.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace toolkit {

enum class CheckState : uint8_t { Unchecked, Checked };

// A node: a program derives its own node type from it to hold what it needs.
class TreeModelNode {
 public:
  TreeModelNode() = default;
  TreeModelNode(const TreeModelNode&) = delete;
  TreeModelNode& operator=(const TreeModelNode&) = delete;
  virtual ~TreeModelNode() = default;

  TreeModelNode* Parent() const { return parent_; }  // null for a top-level node
  TreeModelNode* FirstChild() const { return firstChild_; }
  TreeModelNode* LastChild() const { return lastChild_; }
  TreeModelNode* NextSibling() const { return next_; }
  TreeModelNode* PreviousSibling() const { return previous_; }
  size_t ChildCount() const { return childCount_; }
  const std::string& Text() const { return text_; }
  bool Bold() const { return bold_; }
  CheckState Check() const { return check_; }
  // Whether its children show: the view notes it as the user opens and
  // closes the node, and opens the node when the program sets it.
  bool Expanded() const { return expanded_; }
  // The how-manieth node the model made: earlier nodes have lower numbers.
  uint64_t Order() const { return order_; }

 private:
  friend class TreeModel;

  TreeModelNode* parent_ = nullptr;
  TreeModelNode* firstChild_ = nullptr;
  TreeModelNode* lastChild_ = nullptr;
  TreeModelNode* next_ = nullptr;
  TreeModelNode* previous_ = nullptr;
  size_t childCount_ = 0;
  std::string text_;
  bool bold_ = false;
  CheckState check_ = CheckState::Unchecked;
  bool expanded_ = false;
  uint64_t order_ = 0;
};

// What a view hears of the changes to a model, each as it happens.
class TreeModelListener {
 public:
  virtual ~TreeModelListener() = default;
  virtual void NodeAdded(TreeModelNode& node) = 0;
  // Before the node goes with everything below it.
  virtual void NodeRemoving(TreeModelNode& node) = 0;
  virtual void NodesCleared() = 0;
  virtual void TextChanged(TreeModelNode& node) = 0;
  virtual void CheckChanged(TreeModelNode& node) = 0;
  virtual void BoldChanged(TreeModelNode& node) = 0;
  virtual void ExpandedChanged(TreeModelNode& node) = 0;
  // Before and after many of the children of `parent` change at once: a
  // view may drop their rows and make them anew rather than follow each
  // change.
  virtual void ChildrenReworking(TreeModelNode& parent) = 0;
  virtual void ChildrenReworked(TreeModelNode& parent) = 0;
};

class TreeModel {
 public:
  TreeModel() = default;
  TreeModel(const TreeModel&) = delete;
  TreeModel& operator=(const TreeModel&) = delete;
  ~TreeModel();

  // Adds an unchecked node of the program's type as the last child of
  // `parent` (null: at the top); `args` go to the node's constructor.
  template <typename Node, typename... Args>
  Node& Add(TreeModelNode* parent, std::string text, Args&&... args) {
    return Insert<Node>(parent, Above(parent).lastChild_, std::move(text), std::forward<Args>(args)...);
  }
  // Adds the node among the children of `parent` right after `previous`, a
  // child of `parent`; null `previous`: as the first.
  template <typename Node, typename... Args>
  Node& Insert(TreeModelNode* parent, TreeModelNode* previous, std::string text, Args&&... args) {
    auto node = std::make_unique<Node>(std::forward<Args>(args)...);
    Node& added = *node;
    Link(std::move(node), parent, previous, std::move(text));
    return added;
  }
  // Removes the node with everything below it.
  void Remove(TreeModelNode& node);
  // Removes the nodes, each with everything below it, the earliest made
  // first; a node below another one of them goes with that one.
  void Remove(const std::vector<TreeModelNode*>& nodes);
  // Of the nodes, those that lie below none of the others, each once, in
  // the order they were made.
  static std::vector<TreeModelNode*> Highest(const std::vector<TreeModelNode*>& nodes);
  void Clear();

  TreeModelNode* FirstTopLevel() const { return root_.firstChild_; }
  size_t TopLevelCount() const { return root_.childCount_; }
  size_t Count() const { return count_; }

  void SetText(TreeModelNode& node, std::string text);
  void SetCheck(TreeModelNode& node, CheckState check);
  void SetBold(TreeModelNode& node);
  void SetExpanded(TreeModelNode& node, bool expanded);

  // The one listener (not owned; null for none).
  void SetListener(TreeModelListener* listener) { listener_ = listener; }

  // Marks a change of `changes` children of `parent` as one rework for the
  // listener, when they are many, and many of the children it has.
  class Rework {
   public:
    Rework(TreeModel& model, TreeModelNode& parent, size_t changes);
    Rework(const Rework&) = delete;
    Rework& operator=(const Rework&) = delete;
    ~Rework();

   private:
    TreeModelListener* listener_;  // null when the change is small
    TreeModelNode& parent_;
  };

 private:
  // The node whose list of children holds `node`: its parent, or the root.
  TreeModelNode& Above(const TreeModelNode& node) { return Above(node.parent_); }
  TreeModelNode& Above(TreeModelNode* parent) { return parent != nullptr ? *parent : root_; }
  void Link(std::unique_ptr<TreeModelNode> node, TreeModelNode* parent, TreeModelNode* previous, std::string text);
  void Unlink(TreeModelNode& node);
  // Deletes the node with everything below it.
  void Forget(TreeModelNode& node);

  // Above the top-level nodes, holding them as its children; not a node of the tree.
  TreeModelNode root_;
  // The model owns its nodes through the tree itself: each is deleted when
  // it leaves, rather than held in a map of its own, which would cost an
  // entry made and dropped for each of half a million nodes.
  size_t count_ = 0;
  uint64_t made_ = 0;
  TreeModelListener* listener_ = nullptr;
};

}  // namespace toolkit

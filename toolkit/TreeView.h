#pragma once

#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

#include <functional>
#include <string>

#include "toolkit/Control.h"
#include "toolkit/Menu.h"

namespace toolkit {

// Check states as the tree keeps them: the index of the state image.
constexpr int kUnchecked = 1;
constexpr int kChecked = 2;

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
class TreeView final : public Control {
 public:
  struct Hit {
    HTREEITEM item;
    bool onCheckBox;
  };

  TreeView(Window& parent, TreeViewArgs args);

  // Inserts a node, unchecked, as the last child of `parent` (null: at the top).
  HTREEITEM Insert(HTREEITEM parent, const std::string& text, LPARAM data = 0) const;
  // Deletes the node with everything below it.
  void Delete(HTREEITEM item) const;
  void DeleteAll() const;
  unsigned Count() const;

  HTREEITEM FirstRoot() const { return Next(nullptr, TVGN_ROOT); }
  HTREEITEM FirstChild(HTREEITEM item) const { return Next(item, TVGN_CHILD); }
  HTREEITEM NextSibling(HTREEITEM item) const { return Next(item, TVGN_NEXT); }
  HTREEITEM Parent(HTREEITEM item) const { return Next(item, TVGN_PARENT); }
  HTREEITEM Selected() const { return Next(nullptr, TVGN_CARET); }

  std::string Text(HTREEITEM item) const;
  void SetText(HTREEITEM item, const std::string& text) const;
  LPARAM Data(HTREEITEM item) const;
  void SetData(HTREEITEM item, LPARAM data) const;
  int CheckState(HTREEITEM item) const;
  void SetCheckState(HTREEITEM item, int state) const;
  bool IsBold(HTREEITEM item) const { return State(item, TVIS_BOLD) != 0; }
  void SetBold(HTREEITEM item) const;
  bool IsExpanded(HTREEITEM item) const { return State(item, TVIS_EXPANDED) != 0; }
  void Expand(HTREEITEM item) const;
  // Expands the node's ancestors and scrolls it into view.
  void MakeVisible(HTREEITEM item) const;
  void Select(HTREEITEM item) const;

  // The node at a point of the client area, if any.
  Hit HitTest(POINT point) const;

 private:
  HTREEITEM Next(HTREEITEM item, UINT relation) const;
  UINT State(HTREEITEM item, UINT mask) const;
  void SetState(HTREEITEM item, UINT state, UINT mask) const;

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnLeftButton(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnRightButtonDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnNotify(const NMHDR& header) override;
  void OnContextMenu(LPARAM lParam) const;
  void ShowContextMenu(POINT screen) const;

  const Menu* contextMenu_;
  POINT rightClick_{};  // where the right button was last pressed
  std::function<void(HTREEITEM)> onCheckBoxClick_;
};

}  // namespace toolkit

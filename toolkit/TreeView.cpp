#include "toolkit/TreeView.h"

#include <windowsx.h>

#include <algorithm>
#include <cassert>
#include <unordered_set>
#include <utility>
#include <vector>

namespace toolkit {

TreeView::TreeView(Window& parent, TreeViewArgs args)
    : Control(parent, {.className = WC_TREEVIEWA,
                       .style = WS_TABSTOP | TVS_HASLINES | TVS_LINESATROOT | TVS_HASBUTTONS | TVS_CHECKBOXES |
                                TVS_FULLROWSELECT | TVS_SHOWSELALWAYS | TVS_DISABLEDRAGDROP,
                       .exStyle = WS_EX_CLIENTEDGE,
                       .bounds = args.bounds,
                       .anchors = args.anchors,
                       .font = args.font}),
      contextMenu_(args.contextMenu),
      onCheckBoxClick_(std::move(args.onCheckBoxClick)) {}

TreeItem TreeView::Insert(TreeItem parent, const std::string& text, LPARAM data) {
  assert(IsWindow(hwnd_));
  const TreeItem node = nodes_.Add(parent, text, data);
  const TreeNode& above = nodes_.Above(node);
  if (above.open && !PutInControl(node)) {
    nodes_.Remove(node);
    return nullptr;
  }
  if (parent != nullptr && above.firstChild == node) ShowChildrenButton(above);
  return node;
}

bool TreeView::PutInControl(TreeItem item) const {
  TVINSERTSTRUCTA insert{};
  insert.hParent = nodes_.Above(item).item;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE | TVIF_CHILDREN;
  insert.item.pszText = const_cast<char*>(item->text.c_str());
  insert.item.lParam = reinterpret_cast<LPARAM>(item);
  insert.item.state = INDEXTOSTATEIMAGEMASK(item->state) | (item->bold ? TVIS_BOLD : 0);
  insert.item.stateMask = TVIS_STATEIMAGEMASK | TVIS_BOLD;
  insert.item.cChildren = item->firstChild != nullptr ? 1 : 0;
  item->shownState = item->state;
  item->item = reinterpret_cast<HTREEITEM>(Send(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  return item->item != nullptr;
}

void TreeView::ShowChildrenButton(const TreeNode& node) const {
  if (node.item == nullptr) return;
  TVITEMA change{};
  change.mask = TVIF_CHILDREN;
  change.hItem = node.item;
  change.cChildren = node.firstChild != nullptr ? 1 : 0;
  Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
}

void TreeView::Open(TreeItem item) {
  if (item->open || item->item == nullptr) return;
  item->open = true;
  for (TreeItem child = item->firstChild; child != nullptr; child = child->next) PutInControl(child);
}

void TreeView::OpenAncestors(TreeItem item) {
  std::vector<TreeItem> ancestors;
  for (TreeItem above = item->parent; above != nullptr; above = above->parent) ancestors.push_back(above);
  for (auto above = ancestors.rbegin(); above != ancestors.rend(); ++above) Open(*above);
}

void TreeView::Delete(TreeItem item) {
  assert(IsWindow(hwnd_) && item != nullptr);
  if (item->item != nullptr) Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item->item));
  const TreeItem parent = item->parent;
  nodes_.Remove(item);
  if (parent != nullptr && parent->firstChild == nullptr) ShowChildrenButton(*parent);
}

void TreeView::Delete(const std::vector<TreeItem>& items) {
  const std::unordered_set<TreeItem> listed(items.begin(), items.end());
  const auto goesWithAncestor = [&listed](TreeItem item) {
    for (TreeItem above = item->parent; above != nullptr; above = above->parent)
      if (listed.count(above) != 0) return true;
    return false;
  };
  std::vector<TreeItem> highest;
  for (TreeItem item : listed)
    if (!goesWithAncestor(item)) highest.push_back(item);
  // In the order they were made: Wine's tree finds an item fastest at the
  // front of its list of items, which is in the order they were inserted.
  std::sort(highest.begin(), highest.end(), [](TreeItem a, TreeItem b) { return a->order < b->order; });
  for (TreeItem item : highest) Delete(item);
}

void TreeView::DeleteAll() {
  assert(IsWindow(hwnd_));
  Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  nodes_.Clear();
}

TreeItem TreeView::NodeOf(HTREEITEM item) const {
  if (item == nullptr) return nullptr;
  TVITEMA read{};
  read.mask = TVIF_PARAM;
  read.hItem = item;
  if (!Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&read))) return nullptr;
  return reinterpret_cast<TreeItem>(read.lParam);
}

TreeItem TreeView::Selected() const {
  assert(IsWindow(hwnd_));
  return NodeOf(reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

void TreeView::SetText(TreeItem item, const std::string& text) {
  item->text = text;
  if (item->item == nullptr) return;
  TVITEMA change{};
  change.mask = TVIF_TEXT;
  change.hItem = item->item;
  change.pszText = const_cast<char*>(text.c_str());
  Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
}

void TreeView::SetCheckState(TreeItem item, int state) {
  item->state = state;
  if (item->item != nullptr && item->shownState != state) RequestRepaint();
}

void TreeView::RequestRepaint() {
  if (repaintRequested_) return;
  repaintRequested_ = true;
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void TreeView::ShowCheckState(TreeItem item) {
  if (item == nullptr || item->item == nullptr || item->shownState == item->state) return;
  SetState(item->item, INDEXTOSTATEIMAGEMASK(item->state), TVIS_STATEIMAGEMASK);
  item->shownState = item->state;
}

void TreeView::TakeCheckState(TreeItem item) {
  if (item->item == nullptr) return;
  item->state = item->shownState = static_cast<int>(State(item->item, TVIS_STATEIMAGEMASK) >> 12);
}

void TreeView::SetBold(TreeItem item) {
  item->bold = true;
  if (item->item != nullptr) SetState(item->item, TVIS_BOLD, TVIS_BOLD);
}

bool TreeView::IsExpanded(TreeItem item) const {
  return item->item != nullptr && State(item->item, TVIS_EXPANDED) != 0;
}

UINT TreeView::State(HTREEITEM item, UINT mask) const {
  assert(IsWindow(hwnd_) && item != nullptr);
  return static_cast<UINT>(Send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), mask));
}

void TreeView::SetState(HTREEITEM item, UINT state, UINT mask) const {
  assert(IsWindow(hwnd_) && item != nullptr);
  TVITEMA change{};
  change.mask = TVIF_STATE;
  change.hItem = item;
  change.state = state;
  change.stateMask = mask;
  Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
}

void TreeView::Expand(TreeItem item) {
  assert(IsWindow(hwnd_) && item != nullptr);
  OpenAncestors(item);
  Open(item);
  if (item->item != nullptr) Send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item->item));
}

void TreeView::MakeVisible(TreeItem item) {
  assert(IsWindow(hwnd_) && item != nullptr);
  OpenAncestors(item);
  if (item->item != nullptr) Send(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item->item));
}

void TreeView::Select(TreeItem item) {
  assert(IsWindow(hwnd_));
  if (item != nullptr) OpenAncestors(item);  // selecting a node opens its ancestors
  Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item != nullptr ? item->item : nullptr));
}

TreeView::Hit TreeView::HitTest(POINT point) const {
  assert(IsWindow(hwnd_));
  TVHITTESTINFO test{};
  test.pt = point;
  Send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&test));
  return {NodeOf(test.hItem), (test.flags & TVHT_ONITEMSTATEICON) != 0};
}

void TreeView::SetRedraw(bool redraw) const {
  assert(IsWindow(hwnd_));
  Send(WM_SETREDRAW, redraw, 0);
  if (redraw) InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT TreeView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return OnLeftButton(message, wParam, lParam);
    case WM_RBUTTONDOWN:
      return OnRightButtonDown(wParam, lParam);
    case WM_KEYDOWN:
      return OnKeyDown(wParam, lParam);
    case WM_CONTEXTMENU:
      OnContextMenu(lParam);
      return 0;
    case WM_PAINT:
      repaintRequested_ = false;
      break;
  }
  return CallOriginal(message, wParam, lParam);
}

LRESULT TreeView::OnLeftButton(UINT message, WPARAM wParam, LPARAM lParam) {
  // The tree flips the box inside its own button handling (and, under Wine,
  // swallows the release), so the rule runs right after it.
  const Hit hit = HitTest({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  if (hit.onCheckBox) ShowCheckState(hit.item);  // the tree flips what its item shows
  const LRESULT result = CallOriginal(message, wParam, lParam);
  if (hit.onCheckBox && hit.item != nullptr) {
    TakeCheckState(hit.item);
    if (onCheckBoxClick_) onCheckBoxClick_(hit.item);
  }
  return result;
}

LRESULT TreeView::OnKeyDown(WPARAM wParam, LPARAM lParam) {
  // The space bar flips the selected node's box, that node's alone.
  const TreeItem flipped = wParam == VK_SPACE ? Selected() : nullptr;
  ShowCheckState(flipped);
  const LRESULT result = CallOriginal(WM_KEYDOWN, wParam, lParam);
  if (flipped != nullptr) TakeCheckState(flipped);
  return result;
}

LRESULT TreeView::OnRightButtonDown(WPARAM wParam, LPARAM lParam) {
  // The tree itself does not select on a right click.
  rightClick_ = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const Hit hit = HitTest(rightClick_);
  if (hit.item != nullptr) Select(hit.item);
  return CallOriginal(WM_RBUTTONDOWN, wParam, lParam);
}

LRESULT TreeView::OnNotify(const NMHDR& header) {
  switch (header.code) {
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW: {
      // The user opens a node: its children get their items now, before
      // the tree shows them.
      const auto& change = reinterpret_cast<const NMTREEVIEWA&>(header);
      if (change.action & TVE_EXPAND) Open(reinterpret_cast<TreeItem>(change.itemNew.lParam));
      return 0;
    }
    case NM_CUSTOMDRAW: {
      // Each item takes its node's check state right before it is drawn.
      const auto& draw = reinterpret_cast<const NMTVCUSTOMDRAW&>(header);
      if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
      if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT) ShowCheckState(reinterpret_cast<TreeItem>(draw.nmcd.lItemlParam));
      return CDRF_DODEFAULT;
    }
    case NM_RCLICK: {
      // Wine's tree sends no WM_CONTEXTMENU after a right click; the menu
      // opens here, where the button was pressed, and the tree is told it was
      // handled.
      if (contextMenu_ == nullptr) return 0;
      POINT at = rightClick_;
      ClientToScreen(hwnd_, &at);
      ShowContextMenu(at);
      return 1;
    }
  }
  return 0;
}

void TreeView::OnContextMenu(LPARAM lParam) const {
  if (contextMenu_ == nullptr) return;
  POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (lParam == -1) {
    // From the keyboard: below the selected node, or at the tree's corner.
    at = {0, 0};
    RECT rect{};
    if (TreeItem item = Selected();
        item != nullptr && item->item != nullptr && TreeView_GetItemRect(hwnd_, item->item, &rect, TRUE))
      at = {rect.left, rect.bottom};
    ClientToScreen(hwnd_, &at);
  }
  ShowContextMenu(at);
}

void TreeView::ShowContextMenu(POINT screen) const { contextMenu_->TrackAt(GetAncestor(hwnd_, GA_ROOT), screen); }

}  // namespace toolkit

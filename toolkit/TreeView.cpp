#include "toolkit/TreeView.h"

#include <windowsx.h>

#include <algorithm>
#include <cassert>
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

HTREEITEM TreeView::Insert(HTREEITEM parent, const std::string& text, LPARAM data) {
  assert(IsWindow(hwnd_));
  TVINSERTSTRUCTA insert{};
  insert.hParent = parent != nullptr ? parent : TVI_ROOT;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
  insert.item.pszText = const_cast<char*>(text.c_str());
  insert.item.lParam = data;
  insert.item.state = INDEXTOSTATEIMAGEMASK(kUnchecked);
  insert.item.stateMask = TVIS_STATEIMAGEMASK;
  auto item = reinterpret_cast<HTREEITEM>(Send(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  if (item != nullptr) nodes_.Add(item, parent, text, data, kUnchecked);
  return item;
}

void TreeView::Delete(HTREEITEM item) {
  assert(IsWindow(hwnd_) && item != nullptr);
  Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item));
  nodes_.Remove(item);
}

void TreeView::Delete(std::vector<HTREEITEM> items) {
  const auto key = [this](HTREEITEM item) { return std::make_pair(nodes_.Depth(item), nodes_[item].order); };
  std::sort(items.begin(), items.end(), [&key](HTREEITEM a, HTREEITEM b) { return key(a) < key(b); });
  for (HTREEITEM item : items)
    if (nodes_.Holds(item)) Delete(item);  // unless gone with an ancestor
}

void TreeView::DeleteAll() {
  assert(IsWindow(hwnd_));
  Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  nodes_.Clear();
}

unsigned TreeView::Count() const {
  assert(IsWindow(hwnd_));
  return static_cast<unsigned>(Send(TVM_GETCOUNT, 0, 0));
}

HTREEITEM TreeView::Selected() const {
  assert(IsWindow(hwnd_));
  return reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, TVGN_CARET, 0));
}

void TreeView::SetText(HTREEITEM item, const std::string& text) {
  assert(IsWindow(hwnd_) && item != nullptr);
  TVITEMA change{};
  change.mask = TVIF_TEXT;
  change.hItem = item;
  change.pszText = const_cast<char*>(text.c_str());
  Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
  nodes_[item].text = text;
}

void TreeView::SetData(HTREEITEM item, LPARAM data) {
  assert(IsWindow(hwnd_) && item != nullptr);
  TVITEMA change{};
  change.mask = TVIF_PARAM;
  change.hItem = item;
  change.lParam = data;
  Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
  nodes_[item].data = data;
}

void TreeView::SetCheckState(HTREEITEM item, int state) {
  TreeNodes::Node& node = nodes_[item];
  node.state = state;
  if (nodes_[node.parent].childrenShown) PassCheckState(item);
}

void TreeView::PassCheckState(HTREEITEM item) {
  TreeNodes::Node& node = nodes_[item];
  if (node.shownState == node.state) return;
  SetState(item, INDEXTOSTATEIMAGEMASK(node.state), TVIS_STATEIMAGEMASK);
  node.shownState = node.state;
}

void TreeView::TakeCheckState(HTREEITEM item) {
  TreeNodes::Node& node = nodes_[item];
  node.state = node.shownState = static_cast<int>(State(item, TVIS_STATEIMAGEMASK) >> 12);
}

void TreeView::ShowChildren(HTREEITEM item) {
  TreeNodes::Node& node = nodes_[item];
  if (node.childrenShown) return;
  node.childrenShown = true;
  for (HTREEITEM child = node.firstChild; child != nullptr; child = nodes_[child].next) PassCheckState(child);
}

void TreeView::ShowAncestors(HTREEITEM item) {
  std::vector<HTREEITEM> ancestors;
  for (HTREEITEM above = Parent(item); above != nullptr; above = Parent(above)) ancestors.push_back(above);
  for (auto above = ancestors.rbegin(); above != ancestors.rend(); ++above) ShowChildren(*above);
}

void TreeView::SetBold(HTREEITEM item) const { SetState(item, TVIS_BOLD, TVIS_BOLD); }

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

void TreeView::Expand(HTREEITEM item) {
  assert(IsWindow(hwnd_) && item != nullptr);
  ShowChildren(item);
  Send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
}

void TreeView::MakeVisible(HTREEITEM item) {
  assert(IsWindow(hwnd_) && item != nullptr);
  ShowAncestors(item);
  Send(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
}

void TreeView::Select(HTREEITEM item) {
  assert(IsWindow(hwnd_));
  if (item != nullptr) ShowAncestors(item);  // selecting a node opens its ancestors
  Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

TreeView::Hit TreeView::HitTest(POINT point) const {
  assert(IsWindow(hwnd_));
  TVHITTESTINFO test{};
  test.pt = point;
  Send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&test));
  return {test.hItem, (test.flags & TVHT_ONITEMSTATEICON) != 0};
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
  }
  return CallOriginal(message, wParam, lParam);
}

LRESULT TreeView::OnLeftButton(UINT message, WPARAM wParam, LPARAM lParam) {
  // The tree flips the box inside its own button handling (and, under Wine,
  // swallows the release), so the rule runs right after it.
  const Hit hit = HitTest({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  const LRESULT result = CallOriginal(message, wParam, lParam);
  if (hit.onCheckBox && hit.item != nullptr) {
    TakeCheckState(hit.item);
    if (onCheckBoxClick_) onCheckBoxClick_(hit.item);
  }
  return result;
}

LRESULT TreeView::OnKeyDown(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallOriginal(WM_KEYDOWN, wParam, lParam);
  // The space bar flips the selected node's box, that node's alone.
  if (wParam == VK_SPACE)
    if (HTREEITEM item = Selected(); item != nullptr) TakeCheckState(item);
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
      // The user opens a node: its children show from now on.
      const auto& change = reinterpret_cast<const NMTREEVIEWA&>(header);
      if (change.action & TVE_EXPAND) ShowChildren(change.itemNew.hItem);
      return 0;
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
    if (HTREEITEM item = Selected(); item != nullptr && TreeView_GetItemRect(hwnd_, item, &rect, TRUE))
      at = {rect.left, rect.bottom};
    ClientToScreen(hwnd_, &at);
  }
  ShowContextMenu(at);
}

void TreeView::ShowContextMenu(POINT screen) const { contextMenu_->TrackAt(GetAncestor(hwnd_, GA_ROOT), screen); }

}  // namespace toolkit

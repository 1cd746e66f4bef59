#include "toolkit/TreeView.h"

#include <windowsx.h>

#include <cassert>

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

HTREEITEM TreeView::Insert(HTREEITEM parent, const std::string& text, LPARAM data) const {
  assert(IsWindow(hwnd_));
  TVINSERTSTRUCTA insert{};
  insert.hParent = parent != nullptr ? parent : TVI_ROOT;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
  insert.item.pszText = const_cast<char*>(text.c_str());
  insert.item.lParam = data;
  insert.item.state = INDEXTOSTATEIMAGEMASK(kUnchecked);
  insert.item.stateMask = TVIS_STATEIMAGEMASK;
  return reinterpret_cast<HTREEITEM>(SendMessageA(hwnd_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

void TreeView::Delete(HTREEITEM item) const {
  assert(IsWindow(hwnd_) && item != nullptr);
  SendMessageA(hwnd_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item));
}

void TreeView::DeleteAll() const {
  assert(IsWindow(hwnd_));
  SendMessageA(hwnd_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

unsigned TreeView::Count() const {
  assert(IsWindow(hwnd_));
  return static_cast<unsigned>(SendMessageA(hwnd_, TVM_GETCOUNT, 0, 0));
}

HTREEITEM TreeView::Next(HTREEITEM item, UINT relation) const {
  assert(IsWindow(hwnd_));
  return reinterpret_cast<HTREEITEM>(SendMessageA(hwnd_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

std::string TreeView::Text(HTREEITEM item) const {
  assert(IsWindow(hwnd_) && item != nullptr);
  // Chunk names are short, but nothing in the file bounds them.
  std::string text(4096, '\0');
  TVITEMA query{};
  query.mask = TVIF_TEXT;
  query.hItem = item;
  query.pszText = text.data();
  query.cchTextMax = static_cast<int>(text.size());
  SendMessageA(hwnd_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
  text.resize(std::char_traits<char>::length(text.c_str()));
  return text;
}

void TreeView::SetText(HTREEITEM item, const std::string& text) const {
  assert(IsWindow(hwnd_) && item != nullptr);
  TVITEMA change{};
  change.mask = TVIF_TEXT;
  change.hItem = item;
  change.pszText = const_cast<char*>(text.c_str());
  SendMessageA(hwnd_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
}

LPARAM TreeView::Data(HTREEITEM item) const {
  assert(IsWindow(hwnd_) && item != nullptr);
  TVITEMA query{};
  query.mask = TVIF_PARAM;
  query.hItem = item;
  SendMessageA(hwnd_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
  return query.lParam;
}

void TreeView::SetData(HTREEITEM item, LPARAM data) const {
  assert(IsWindow(hwnd_) && item != nullptr);
  TVITEMA change{};
  change.mask = TVIF_PARAM;
  change.hItem = item;
  change.lParam = data;
  SendMessageA(hwnd_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
}

int TreeView::CheckState(HTREEITEM item) const { return static_cast<int>(State(item, TVIS_STATEIMAGEMASK) >> 12); }

void TreeView::SetCheckState(HTREEITEM item, int state) const {
  SetState(item, INDEXTOSTATEIMAGEMASK(state), TVIS_STATEIMAGEMASK);
}

void TreeView::SetBold(HTREEITEM item) const { SetState(item, TVIS_BOLD, TVIS_BOLD); }

UINT TreeView::State(HTREEITEM item, UINT mask) const {
  assert(IsWindow(hwnd_) && item != nullptr);
  return static_cast<UINT>(SendMessageA(hwnd_, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), mask));
}

void TreeView::SetState(HTREEITEM item, UINT state, UINT mask) const {
  assert(IsWindow(hwnd_) && item != nullptr);
  TVITEMA change{};
  change.mask = TVIF_STATE;
  change.hItem = item;
  change.state = state;
  change.stateMask = mask;
  SendMessageA(hwnd_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
}

void TreeView::Expand(HTREEITEM item) const {
  assert(IsWindow(hwnd_) && item != nullptr);
  SendMessageA(hwnd_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
}

void TreeView::MakeVisible(HTREEITEM item) const {
  assert(IsWindow(hwnd_) && item != nullptr);
  SendMessageA(hwnd_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
}

void TreeView::Select(HTREEITEM item) const {
  assert(IsWindow(hwnd_));
  SendMessageA(hwnd_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

TreeView::Hit TreeView::HitTest(POINT point) const {
  assert(IsWindow(hwnd_));
  TVHITTESTINFO test{};
  test.pt = point;
  SendMessageA(hwnd_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&test));
  return {test.hItem, (test.flags & TVHT_ONITEMSTATEICON) != 0};
}

LRESULT TreeView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return OnLeftButton(message, wParam, lParam);
    case WM_RBUTTONDOWN:
      return OnRightButtonDown(wParam, lParam);
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
  if (hit.onCheckBox && hit.item != nullptr && onCheckBoxClick_) onCheckBoxClick_(hit.item);
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
  // Wine's tree sends no WM_CONTEXTMENU after a right click; the menu opens
  // here, where the button was pressed, and the tree is told it was handled.
  if (header.code != NM_RCLICK || contextMenu_ == nullptr) return 0;
  POINT at = rightClick_;
  ClientToScreen(hwnd_, &at);
  ShowContextMenu(at);
  return 1;
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

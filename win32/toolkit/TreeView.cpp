#include "toolkit/TreeView.h"

#include <windowsx.h>

#include <cassert>
#include <utility>
#include <vector>

#include "os/WideText.h"

namespace toolkit {
namespace {

// Posted to the tree itself when a check state changes, so that the items
// take their nodes' states together once the program waits for input.
constexpr UINT kShowChangedChecks = WM_APP + 1;
// Posted to the tree itself when the selection changes, for the same wait.
constexpr UINT kSelectionChanged = WM_APP + 2;

// How many item-state changes times items the control holds are given to the
// control at once; some 0.3 s under Wine.
constexpr size_t kStateChangeBudget = 500'000;

bool IsKeyMessage(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }

// The control keeps a check state as the index of its state image.
UINT StateImageOf(CheckState check) { return INDEXTOSTATEIMAGEMASK(check == CheckState::Checked ? 2u : 1u); }
CheckState CheckOf(UINT stateImage) { return stateImage == 2 ? CheckState::Checked : CheckState::Unchecked; }

}  // namespace

TreeView::TreeView(Window& parent, TreeModel& model, TreeViewArgs args)
    : Control(parent, {.className = WC_TREEVIEWW,
                       .style = WS_TABSTOP | TVS_HASLINES | TVS_LINESATROOT | TVS_HASBUTTONS |
                                (args.checkBoxes ? DWORD{TVS_CHECKBOXES} : 0) | TVS_FULLROWSELECT | TVS_SHOWSELALWAYS |
                                TVS_DISABLEDRAGDROP,
                       .exStyle = WS_EX_CLIENTEDGE,
                       .bounds = args.bounds,
                       .anchors = args.anchors,
                       .font = args.font}),
      model_(model),
      contextMenu_(args.contextMenu),
      onCheckBoxFlip_(std::move(args.onCheckBoxFlip)),
      beforeContextMenu_(std::move(args.beforeContextMenu)),
      shownText_(args.shownText ? std::move(args.shownText) : [](const std::string& text) { return os::Widen(text); }),
      checkBoxes_(args.checkBoxes),
      onSelect_(std::move(args.onSelect)),
      onEditKey_(std::move(args.onEditKey)),
      onDeleteKey_(std::move(args.onDeleteKey)) {
  for (TreeModelNode* node = model_.FirstTopLevel(); node != nullptr; node = node->NextSibling())
    PutInControl(*node, TVI_LAST);
  model_.SetListener(this);
}

TreeView::~TreeView() { model_.SetListener(nullptr); }

void TreeView::Rescale(int dpi) {
  Control::Rescale(dpi);
  checkBoxImages_.reset();  // the control's own again, at the DPI it made them for
  if (checkBoxes_ && dpi != createdDpi_) checkBoxImages_.emplace(hwnd_, createdDpi_, dpi);
}

TreeView::Item* TreeView::ItemOf(const TreeModelNode& node) {
  const auto found = items_.find(&node);
  return found != items_.end() ? &found->second : nullptr;
}

const TreeView::Item* TreeView::ItemOf(const TreeModelNode& node) const {
  const auto found = items_.find(&node);
  return found != items_.end() ? &found->second : nullptr;
}

bool TreeView::IsOpen(const TreeModelNode* parent) const {
  if (parent == nullptr) return true;  // the top-level nodes always have items
  const Item* item = ItemOf(*parent);
  return item != nullptr && item->open;
}

void TreeView::NodeAdded(TreeModelNode& node) {
  TreeModelNode* parent = node.Parent();
  if (IsOpen(parent)) {
    // Its siblings have items: it goes right after the one before it.
    const TreeModelNode* previous = node.PreviousSibling();
    PutInControl(node, node.NextSibling() == nullptr ? TVI_LAST
                       : previous != nullptr         ? ItemOf(*previous)->handle
                                                     : TVI_FIRST);
  }
  if (parent != nullptr && parent->ChildCount() == 1) ShowChildrenButton(*parent, true);
}

void TreeView::NodeRemoving(TreeModelNode& node) {
  for (const TreeModelNode* above = selectedInRework_; above != nullptr; above = above->Parent())
    if (above == &node) selectedInRework_ = nullptr;  // it goes with the node
  if (const Item* item = ItemOf(node)) Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item->handle));
  ForgetItems(node);
  // The node is still counted: its parent keeps a button if others remain.
  if (TreeModelNode* parent = node.Parent(); parent != nullptr && parent->ChildCount() == 1)
    ShowChildrenButton(*parent, false);
}

void TreeView::ForgetItems(const TreeModelNode& node) {
  const auto found = items_.find(&node);
  // A node without an item has none below it: children get theirs only once it opens.
  if (found == items_.end()) return;
  const bool open = found->second.open;
  items_.erase(found);
  changedChecks_.erase(&node);
  if (open)
    for (const TreeModelNode* child = node.FirstChild(); child != nullptr; child = child->NextSibling())
      ForgetItems(*child);
}

void TreeView::NodesCleared() {
  assert(IsWindow(hwnd_));
  Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  items_.clear();
  changedChecks_.clear();
}

void TreeView::TextChanged(TreeModelNode& node) {
  const Item* item = ItemOf(node);
  if (item == nullptr) return;
  std::wstring text = shownText_(node.Text());
  TVITEMW change{};
  change.mask = TVIF_TEXT;
  change.hItem = item->handle;
  change.pszText = text.data();
  Send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&change));
}

void TreeView::CheckChanged(TreeModelNode& node) {
  const Item* item = ItemOf(node);
  if (!checkBoxes_ || item == nullptr || item->shown == node.Check()) return;
  if (changedChecks_.empty()) PostMessageW(hwnd_, kShowChangedChecks, 0, 0);
  changedChecks_.insert(&node);
}

void TreeView::BoldChanged(TreeModelNode& node) {
  if (const Item* item = ItemOf(node)) SetState(item->handle, node.Bold() ? TVIS_BOLD : 0, TVIS_BOLD);
}

void TreeView::ExpandedChanged(TreeModelNode& node) {
  const Item* item = ItemOf(node);
  if (item == nullptr || node.FirstChild() == nullptr || IsExpanded(node) == node.Expanded()) return;
  const HTREEITEM handle = item->handle;  // Open adds items, which may move this one's entry
  if (node.Expanded()) Open(node);
  Send(TVM_EXPAND, node.Expanded() ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(handle));
}

void TreeView::ChildrenReworking(TreeModelNode& parent) {
  Item* item = ItemOf(parent);
  if (item == nullptr || !item->open) return;
  TreeModelNode* selected = Selected();
  reworked_[&parent] = IsExpanded(parent);
  // Wine's tree, collapsing a node whose rows include its first visible
  // one, places its rows from that lost row and reads through a null
  // pointer: the node's own row goes to the top first.
  const auto top = reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0));
  if (top != item->handle && IsBelow(top, item->handle))
    Send(TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(item->handle));
  // One message drops every child's item, where deleting them one by one
  // would cost a walk over all items for each.
  Send(TVM_EXPAND, TVE_COLLAPSE | TVE_COLLAPSERESET, reinterpret_cast<LPARAM>(item->handle));
  for (const TreeModelNode* child = parent.FirstChild(); child != nullptr; child = child->NextSibling())
    ForgetItems(*child);
  item->open = false;
  for (const TreeModelNode* above = selected; above != nullptr; above = above->Parent())
    if (above == &parent && selected != &parent) selectedInRework_ = selected;
}

void TreeView::ChildrenReworked(TreeModelNode& parent) {
  const auto found = reworked_.find(&parent);
  if (found == reworked_.end()) return;
  const bool expanded = found->second;
  reworked_.erase(found);
  ShowChildrenButton(parent, parent.FirstChild() != nullptr);
  if (expanded && parent.FirstChild() != nullptr)
    Expand(parent);
  else
    Open(parent);
  if (selectedInRework_ != nullptr && reworked_.empty()) {
    Select(selectedInRework_);
    selectedInRework_ = nullptr;
  }
}

void TreeView::PutInControl(TreeModelNode& node, HTREEITEM after) {
  const TreeModelNode* parent = node.Parent();
  std::wstring text = shownText_(node.Text());
  TVINSERTSTRUCTW insert{};
  insert.hParent = parent != nullptr ? ItemOf(*parent)->handle : TVI_ROOT;
  insert.hInsertAfter = after;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE | TVIF_CHILDREN;
  insert.item.pszText = text.data();
  insert.item.lParam = reinterpret_cast<LPARAM>(&node);
  insert.item.state = (checkBoxes_ ? StateImageOf(node.Check()) : 0) | (node.Bold() ? TVIS_BOLD : 0);
  insert.item.stateMask = (checkBoxes_ ? TVIS_STATEIMAGEMASK : 0) | TVIS_BOLD;
  insert.item.cChildren = node.FirstChild() != nullptr ? 1 : 0;
  const auto handle = reinterpret_cast<HTREEITEM>(Send(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
  if (handle == nullptr) return;
  items_[&node] = {handle, node.Check(), false};
  // A node left open, by the user or the program, shows open again.
  if (node.Expanded() && node.FirstChild() != nullptr) {
    Open(node);
    Send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(handle));
  }
}

void TreeView::ShowChildrenButton(const TreeModelNode& node, bool shown) const {
  const Item* item = ItemOf(node);
  if (item == nullptr) return;
  TVITEMW change{};
  change.mask = TVIF_CHILDREN;
  change.hItem = item->handle;
  change.cChildren = shown ? 1 : 0;
  Send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&change));
}

void TreeView::Open(TreeModelNode& node) {
  Item* item = ItemOf(node);
  if (item == nullptr || item->open) return;
  item->open = true;
  for (TreeModelNode* child = node.FirstChild(); child != nullptr; child = child->NextSibling())
    PutInControl(*child, TVI_LAST);
}

void TreeView::OpenAncestors(const TreeModelNode& node) {
  std::vector<TreeModelNode*> ancestors;
  for (TreeModelNode* above = node.Parent(); above != nullptr; above = above->Parent()) ancestors.push_back(above);
  for (auto above = ancestors.rbegin(); above != ancestors.rend(); ++above) Open(**above);
}

bool TreeView::IsBelow(HTREEITEM item, HTREEITEM above) const {
  for (; item != nullptr;
       item = reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(item))))
    if (item == above) return true;
  return false;
}

TreeModelNode* TreeView::NodeOf(HTREEITEM item) const {
  if (item == nullptr) return nullptr;
  TVITEMW read{};
  read.mask = TVIF_PARAM;
  read.hItem = item;
  if (!Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&read))) return nullptr;
  return reinterpret_cast<TreeModelNode*>(read.lParam);
}

TreeModelNode* TreeView::Selected() const {
  assert(IsWindow(hwnd_));
  return NodeOf(reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

HTREEITEM TreeView::ControlItem(const TreeModelNode& node) const {
  const Item* item = ItemOf(node);
  return item != nullptr ? item->handle : nullptr;
}

void TreeView::ShowCheckState(const TreeModelNode* node) {
  if (!checkBoxes_ || node == nullptr) return;
  Item* item = ItemOf(*node);
  if (item == nullptr || item->shown == node->Check()) return;
  SetState(item->handle, StateImageOf(node->Check()), TVIS_STATEIMAGEMASK);
  item->shown = node->Check();
}

void TreeView::TakeCheckState(TreeModelNode& node) {
  Item* item = ItemOf(node);
  if (item == nullptr) return;
  item->shown = CheckOf(State(item->handle, TVIS_STATEIMAGEMASK) >> 12);
  model_.SetCheck(node, item->shown);
}

void TreeView::ShowChangedCheckStates() {
  const std::unordered_set<const TreeModelNode*> changed = std::move(changedChecks_);
  changedChecks_.clear();
  // Under Wine each change to an item's state walks every item the control
  // holds, even with painting off: a change to more than the budget leaves
  // the rows out of sight to take their states as they are drawn.
  if (changed.size() * items_.size() > kStateChangeBudget) {
    InvalidateRect(hwnd_, nullptr, FALSE);
    return;
  }
  for (const TreeModelNode* node : changed) ShowCheckState(node);
}

bool TreeView::IsExpanded(const TreeModelNode& node) const {
  const Item* item = ItemOf(node);
  return item != nullptr && State(item->handle, TVIS_EXPANDED) != 0;
}

UINT TreeView::State(HTREEITEM item, UINT mask) const {
  assert(IsWindow(hwnd_) && item != nullptr);
  return static_cast<UINT>(Send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), static_cast<LPARAM>(mask)));
}

void TreeView::SetState(HTREEITEM item, UINT state, UINT mask) const {
  assert(IsWindow(hwnd_) && item != nullptr);
  TVITEMW change{};
  change.mask = TVIF_STATE;
  change.hItem = item;
  change.state = state;
  change.stateMask = mask;
  Send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&change));
}

void TreeView::Expand(TreeModelNode& node) {
  assert(IsWindow(hwnd_));
  OpenAncestors(node);
  Open(node);
  if (const Item* item = ItemOf(node)) {
    Send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item->handle));
    model_.SetExpanded(node, IsExpanded(node));
  }
}

void TreeView::MakeVisible(TreeModelNode& node) {
  assert(IsWindow(hwnd_));
  OpenAncestors(node);
  if (const Item* item = ItemOf(node)) Send(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item->handle));
}

void TreeView::Select(TreeModelNode* node) {
  assert(IsWindow(hwnd_));
  if (node != nullptr) OpenAncestors(*node);  // selecting a node opens its ancestors
  Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node != nullptr ? ControlItem(*node) : nullptr));
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
  // A key message, and all that the tree does for it.
  const bool outerKey = std::exchange(inKey_, inKey_ || IsKeyMessage(message));
  const LRESULT result = HandleOwnMessage(message, wParam, lParam);
  inKey_ = outerKey;
  FollowKeys(message, wParam);
  return result;
}

void TreeView::FollowKeys(UINT message, WPARAM wParam) {
  // Kept here: GetKeyState under Wine has at times given a key's state from
  // before its last message.
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      heldKey_ = wParam;
      break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (wParam == heldKey_) heldKey_ = 0;
      break;
    case WM_KILLFOCUS:
      // The keys go elsewhere now, their releases too; so does Tab, which
      // the window's navigation takes before the tree sees it.
      heldKey_ = 0;
      break;
  }
  if (selectNotice_ == SelectNotice::AfterKeys && ((IsKeyMessage(message) && !KeysGoOn()) || message == WM_KILLFOCUS)) {
    selectNotice_ = SelectNotice::None;
    PostSelectNotice(false);
  }
}

LRESULT TreeView::HandleOwnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return OnLeftButton(message, wParam, lParam);
    case WM_RBUTTONDOWN:
      return OnRightButtonDown(wParam, lParam);
    case WM_KEYDOWN:
      return OnKeyDown(wParam, lParam);
    case WM_KEYUP:
      // The menu key opened the menu as it went down (OnKeyDown).
      if (wParam == VK_APPS && contextMenu_ != nullptr) return 0;
      break;
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
      // Shift+F10 opens the menu as the menu key does; its release must not
      // then open the menu bar.
      if (wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0 && contextMenu_ != nullptr) {
        if (message == WM_SYSKEYDOWN) OnContextMenu(-1);
        return 0;
      }
      break;
    case WM_CHAR:
      if (wParam == '\r' && IsEditKey(VK_RETURN)) return 0;  // the tree would beep
      break;
    case WM_GETDLGCODE: {
      const auto* asked = reinterpret_cast<const MSG*>(lParam);
      const bool editKey = asked != nullptr && asked->message == WM_KEYDOWN && IsEditKey(asked->wParam);
      return CallOriginal(message, wParam, lParam) | (editKey ? DLGC_WANTMESSAGE : 0);
    }
    case WM_CONTEXTMENU:
      OnContextMenu(lParam);
      return 0;
    case kShowChangedChecks:
      ShowChangedCheckStates();
      return 0;
    case kSelectionChanged:
      OnSelectNotice(wParam != 0);
      return 0;
  }
  return CallOriginal(message, wParam, lParam);
}

LRESULT TreeView::OnLeftButton(UINT message, WPARAM wParam, LPARAM lParam) {
  const Hit hit = HitTest({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  if (hit.onCheckBox && hit.node != nullptr && checkBoxes_) {
    // Flipped here, not by the control: Wine's makes the node its focused
    // item and draws it as selected, while the selection stays elsewhere.
    SetFocus(hwnd_);
    model_.SetCheck(*hit.node, hit.node->Check() == CheckState::Checked ? CheckState::Unchecked : CheckState::Checked);
    ShowCheckState(hit.node);
    if (onCheckBoxFlip_) onCheckBoxFlip_(*hit.node);
    return 0;
  }
  const LRESULT result = CallOriginal(message, wParam, lParam);
  if (message == WM_LBUTTONDBLCLK && !hit.onCheckBox && hit.node != nullptr && onEditKey_) {
    Select(hit.node);
    onEditKey_(*hit.node);
  }
  return result;
}

bool TreeView::IsEditKey(WPARAM key) const { return onEditKey_ && (key == VK_F2 || key == VK_RETURN); }

LRESULT TreeView::OnKeyDown(WPARAM wParam, LPARAM lParam) {
  if (IsEditKey(wParam)) {
    if (TreeModelNode* selected = Selected()) onEditKey_(*selected);
    return 0;
  }
  if (wParam == VK_APPS && contextMenu_ != nullptr) {
    OnContextMenu(-1);
    return 0;
  }
  if (wParam == VK_DELETE && onDeleteKey_) {
    onDeleteKey_();
    return 0;
  }
  // The space bar flips the selected node's box, as a click on it does.
  TreeModelNode* flipped = checkBoxes_ && wParam == VK_SPACE ? Selected() : nullptr;
  ShowCheckState(flipped);
  const LRESULT result = CallOriginal(WM_KEYDOWN, wParam, lParam);
  if (flipped != nullptr) {
    TakeCheckState(*flipped);
    if (onCheckBoxFlip_) onCheckBoxFlip_(*flipped);
  }
  return result;
}

LRESULT TreeView::OnRightButtonDown(WPARAM wParam, LPARAM lParam) {
  // The tree itself does not select on a right click.
  rightClick_ = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const Hit hit = HitTest(rightClick_);
  if (hit.node != nullptr) Select(hit.node);
  return CallOriginal(WM_RBUTTONDOWN, wParam, lParam);
}

LRESULT TreeView::OnNotify(const NMHDR& header) {
  switch (header.code) {
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW: {
      // The user opens a node: its children get their items now, before
      // the tree shows them.
      const auto& change = reinterpret_cast<const NMTREEVIEWA&>(header);
      if (change.action & TVE_EXPAND) Open(*reinterpret_cast<TreeModelNode*>(change.itemNew.lParam));
      return 0;
    }
    case TVN_ITEMEXPANDEDA:
    case TVN_ITEMEXPANDEDW: {
      // The model notes what the user opened or closed; a rework closes
      // and opens its node again itself.
      auto* node = reinterpret_cast<TreeModelNode*>(reinterpret_cast<const NMTREEVIEWA&>(header).itemNew.lParam);
      if (node != nullptr && !reworked_.contains(node)) model_.SetExpanded(*node, IsExpanded(*node));
      return 0;
    }
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
      // A key's change waits for the keys to stop; the mouse's or a
      // program's is told of once the program waits for input, also while
      // a key's waits.
      if (selectNotice_ == SelectNotice::None || (selectNotice_ == SelectNotice::AfterKeys && !inKey_))
        PostSelectNotice(inKey_);
      return 0;
    case NM_CUSTOMDRAW: {
      // The control's own structure, which it reads back for the colours.
      auto& draw = const_cast<NMTVCUSTOMDRAW&>(reinterpret_cast<const NMTVCUSTOMDRAW&>(header));
      if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
      if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
      // An item drawn before the changed states were shown takes its node's now.
      ShowCheckState(reinterpret_cast<const TreeModelNode*>(draw.nmcd.lItemlParam));
      // The selection looks the same with the focus elsewhere (the search
      // field, the side panel), where the control would draw it faint.
      if ((draw.nmcd.uItemState & CDIS_SELECTED) != 0) {
        draw.clrText = GetSysColor(COLOR_HIGHLIGHTTEXT);
        draw.clrTextBk = GetSysColor(COLOR_HIGHLIGHT);
      }
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

void TreeView::PostSelectNotice(bool unlessKeysGoOn) {
  if (onSelect_ && PostMessageW(hwnd_, kSelectionChanged, unlessKeysGoOn, 0)) selectNotice_ = SelectNotice::Posted;
}

void TreeView::OnSelectNotice(bool unlessKeysGoOn) {
  selectNotice_ = SelectNotice::None;
  // The selection moves on. Posted again now, the notice would come back
  // before the keys (posted messages go before input), and again for
  // ever: the tree's next key looks again instead.
  if (unlessKeysGoOn && KeysGoOn()) {
    selectNotice_ = SelectNotice::AfterKeys;
    return;
  }
  onSelect_();
}

bool TreeView::KeysGoOn() const {
  // A key held down on the tree repeats; a key for the tree may wait in
  // the queue already.
  MSG waiting;
  return heldKey_ != 0 || PeekMessageW(&waiting, hwnd_, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE | PM_NOYIELD);
}

void TreeView::OnContextMenu(LPARAM lParam) const {
  if (contextMenu_ == nullptr) return;
  POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (lParam == -1) {
    // From the keyboard: below the selected node, or at the tree's corner.
    at = {0, 0};
    RECT rect{};
    if (TreeModelNode* node = Selected(); node != nullptr && ControlItem(*node) != nullptr &&
                                          TreeView_GetItemRect(hwnd_, ControlItem(*node), &rect, TRUE))
      at = {rect.left, rect.bottom};
    ClientToScreen(hwnd_, &at);
  }
  ShowContextMenu(at);
}

void TreeView::ShowContextMenu(POINT screen) const {
  if (beforeContextMenu_) beforeContextMenu_();
  contextMenu_->TrackAt(GetAncestor(hwnd_, GA_ROOT), screen);
}

}  // namespace toolkit

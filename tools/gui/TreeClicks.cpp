#include "tools/gui/TreeClicks.h"

namespace {

POINT CheckBoxPoint(const toolkit::TreeView& tree, toolkit::TreeItem item) {
  RECT text{};
  TreeView_GetItemRect(tree.Handle(), tree.ControlItem(item), &text, TRUE);
  const int middle = (text.top + text.bottom) / 2;
  for (int x = text.left - 1; x > text.left - 40 && x >= 0; --x)
    if (tree.HitTest({x, middle}).onCheckBox) return {x - 4, middle};
  return {-1, -1};
}

}  // namespace

void ClickCheckBox(const toolkit::TreeView& tree, toolkit::TreeItem item) {
  const POINT at = CheckBoxPoint(tree, item);
  SendMessageA(tree.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  SendMessageA(tree.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

void RightClickNode(const toolkit::TreeView& tree, toolkit::TreeItem item) {
  RECT text{};
  TreeView_GetItemRect(tree.Handle(), tree.ControlItem(item), &text, TRUE);
  const LPARAM at = MAKELPARAM((text.left + text.right) / 2, (text.top + text.bottom) / 2);
  // The tree waits for the release inside its handling of the press.
  PostMessageA(tree.Handle(), WM_RBUTTONUP, 0, at);
  SendMessageA(tree.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, at);
}

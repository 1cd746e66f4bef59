#include "toolkit/Layout.h"

namespace toolkit {
namespace {

// One axis: the start and end of a control, and how the parent grew on it.
void Stretch(LONG& start, LONG& end, LONG grown, bool toStart, bool toEnd) {
  if (!toEnd) return;
  if (!toStart) start += grown;
  end += grown;
}

}  // namespace

RECT AnchoredBounds(const RECT& bounds, SIZE designed, SIZE client, Anchors anchors) {
  RECT placed = bounds;
  Stretch(placed.left, placed.right, client.cx - designed.cx, anchors & kAnchorLeft, anchors & kAnchorRight);
  Stretch(placed.top, placed.bottom, client.cy - designed.cy, anchors & kAnchorTop, anchors & kAnchorBottom);
  return placed;
}

void Layout::Add(HWND child, const RECT& bounds, Anchors anchors) {
  if (anchors != kAnchorsTopLeft) entries_.push_back({child, bounds, anchors});
}

void Layout::Remove(HWND child) {
  std::erase_if(entries_, [child](const Entry& entry) { return entry.child == child; });
}

void Layout::Replace(HWND child, const RECT& bounds) {
  for (Entry& entry : entries_)
    if (entry.child == child) entry.bounds = bounds;
}

void Layout::Apply(SIZE client) const {
  if (entries_.empty()) return;
  HDWP positions = BeginDeferWindowPos(static_cast<int>(entries_.size()));
  for (const Entry& entry : entries_) {
    const RECT placed = AnchoredBounds(entry.bounds, designed_, client, entry.anchors);
    positions = DeferWindowPos(positions, entry.child, nullptr, placed.left, placed.top, placed.right - placed.left,
                               placed.bottom - placed.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  EndDeferWindowPos(positions);
}

}  // namespace toolkit

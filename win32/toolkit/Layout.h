#pragma once

#include <windows.h>

#include <vector>

namespace toolkit {

// The edges of its parent's client area that a control keeps its distance to.
// Anchored to both opposite edges it stretches; to the right or bottom edge
// alone it moves.
enum Anchor : unsigned {
  kAnchorLeft = 1,
  kAnchorTop = 2,
  kAnchorRight = 4,
  kAnchorBottom = 8,
};
using Anchors = unsigned;
constexpr Anchors kAnchorsTopLeft = kAnchorLeft | kAnchorTop;
constexpr Anchors kAnchorsAll = kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom;

// Where a control that was designed at `bounds` in a client area of `designed`
// goes in a client area of `client`.
RECT AnchoredBounds(const RECT& bounds, SIZE designed, SIZE client, Anchors anchors);

// The anchored children of one window, placed again whenever its client area
// changes size. Their bounds are those in a client area of the designed size,
// both at the window's DPI.
class Layout {
 public:
  explicit Layout(SIZE designed) : designed_(designed) {}

  void Add(HWND child, const RECT& bounds, Anchors anchors);
  void Remove(HWND child);
  void Apply(SIZE client) const;

  // The window moved to a display of another DPI: the designed size and the
  // children's bounds at the new DPI.
  void SetDesigned(SIZE designed) { designed_ = designed; }
  void Replace(HWND child, const RECT& bounds);

 private:
  struct Entry {
    HWND child;
    RECT bounds;
    Anchors anchors;
  };
  SIZE designed_;
  std::vector<Entry> entries_;
};

}  // namespace toolkit

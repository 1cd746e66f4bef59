#pragma once
// A level bar: a smooth progress bar from 0 to LevelSteps that acts as a
// slider, its level written beside it ("25 of 50"). A press of any mouse
// button sets it to the pointer's place, and it follows the pointer until
// the button is released or the pointer leaves it.

#include "toolkit/Label.h"
#include "toolkit/ProgressBar.h"

class LevelBar final : public toolkit::ProgressBar {
 public:
  LevelBar(toolkit::Window& parent, toolkit::Bounds bounds);

  // Sets the bar and the level written beside it.
  void SetLevel(int level);

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The bar follows while it holds the mouse capture. Holding it, the bar sees
  // the first move that leaves it at once (Wine tells of a leave only on a
  // timer), and as the capture is one, no two bars ever follow together.
  bool Following() const { return GetCapture() == Handle(); }
  bool PointerOver(LPARAM point) const;
  void FollowPointer(LPARAM point);

  toolkit::Label value_;
};

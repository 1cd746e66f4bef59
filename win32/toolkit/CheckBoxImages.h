#pragma once

#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

namespace toolkit {

// The state images of a tree view's check boxes (none, unchecked, checked),
// as large as the control's own, which it made for `createdDpi`, are for a
// display of `dpi`: the control makes its own only once. They take the place
// of the control's own, which the control gets back when they go, so that its
// teardown stays as it was.
class CheckBoxImages {
 public:
  CheckBoxImages(HWND tree, int createdDpi, int dpi);
  CheckBoxImages(const CheckBoxImages&) = delete;
  CheckBoxImages& operator=(const CheckBoxImages&) = delete;
  ~CheckBoxImages();

 private:
  HWND tree_;  // not owned
  HIMAGELIST images_;
  HIMAGELIST original_;  // not owned: the control's
};

}  // namespace toolkit

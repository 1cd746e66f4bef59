#include "toolkit/CheckBoxImages.h"

#include <initializer_list>

#include "toolkit/Dpi.h"

namespace toolkit {
namespace {

// The images' background, which the mask leaves out.
constexpr COLORREF kMaskColour = RGB(255, 0, 255);

// Square images of `size`: none, unchecked, checked, the box nearly filling
// the image as the control's own do.
HIMAGELIST DrawImages(int size) {
  HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 3, 0);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP strip = CreateCompatibleBitmap(screen, 3 * size, size);
  HGDIOBJ previous = SelectObject(dc, strip);
  HBRUSH background = CreateSolidBrush(kMaskColour);
  const RECT all{0, 0, 3 * size, size};
  FillRect(dc, &all, background);
  DeleteObject(background);
  const int inset = size / 16;
  for (const int index : {1, 2}) {
    RECT box{index * size + inset, inset, (index + 1) * size - inset, size - inset};
    DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (index == 2 ? DFCS_CHECKED : 0));
  }
  SelectObject(dc, previous);
  ImageList_AddMasked(images, strip, kMaskColour);
  DeleteObject(strip);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return images;
}

// The images are square.
int SizeOf(HIMAGELIST images) {
  int width = 0;
  int height = 0;
  ImageList_GetIconSize(images, &width, &height);
  return height;
}

}  // namespace

CheckBoxImages::CheckBoxImages(HWND tree, int createdDpi, int dpi)
    : tree_(tree),
      images_(DrawImages(ScaleBetweenDpis(SizeOf(TreeView_GetImageList(tree, TVSIL_STATE)), createdDpi, dpi))),
      original_(reinterpret_cast<HIMAGELIST>(
          SendMessageW(tree_, TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(images_)))) {}

CheckBoxImages::~CheckBoxImages() {
  if (IsWindow(tree_)) SendMessageW(tree_, TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(original_));
  ImageList_Destroy(images_);
}

}  // namespace toolkit

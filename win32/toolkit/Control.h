#pragma once

#include <windows.h>

#include <string>

#include "toolkit/Font.h"
#include "toolkit/Layout.h"
#include "toolkit/Window.h"

namespace toolkit {

// A control's place in its parent's client area, in pixels at the design DPI.
struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// A built-in Windows control, subclassed so that its object sees its messages
// and the notifications that its parent hands back to it. Teardown: the
// subclass goes first, then the HWND, then the font.
class Control : public Window {
 public:
  ~Control() override;

  RECT BoundsInParent() const;

  // The parent went to a display of `dpi`: the font, the place and the size
  // scaled anew, the place as in a parent's client area of its designed size
  // (its layout then moves the anchored ones).
  virtual void Rescale(int dpi);
  // Rescale for every control below `parent`, at any depth.
  static void RescaleChildren(HWND parent, int dpi);

  // Hands a WM_COMMAND or WM_NOTIFY that a child control of `parent` sent back
  // to the child's object, the way ATL reflects them; true, with the object's
  // answer in `result`, when `message` was one.
  static bool Reflect(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

 protected:
  struct Creation {
    const wchar_t* className = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string text{};
    Bounds bounds{};
    Anchors anchors = kAnchorsTopLeft;
    FontSpec font{};
    int id = 0;  // 0 for the next free identifier
  };
  Control(Window& parent, const Creation& creation);

  // The control's own messages; the built-in procedure unless overridden.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // A WM_COMMAND notification code or a WM_NOTIFY that the control sent.
  virtual void OnCommand(WORD /*code*/) {}
  virtual LRESULT OnNotify(const NMHDR& /*header*/) { return 0; }

  // Inside HandleMessage: the next procedure of the subclass chain.
  LRESULT CallOriginal(UINT message, WPARAM wParam, LPARAM lParam) const;
  // A message of the control's own kind (TVM_, PBM_, CB_ ...), straight to
  // its procedure. Under Wine every message through a subclassed window costs
  // a server call (the chain is kept in a window property), which a tree of
  // 50,000 nodes can't afford; the subclass does not handle these anyway.
  LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const;
  void Resize(int width, int height) const;
  // Where the design leaves the height open (0): the control's own, width kept.
  void FitOpenHeight(int height) const;

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR data);
  LRESULT Route(UINT message, WPARAM wParam, LPARAM lParam);
  void Detach();

  Bounds design_;      // as given, at the design DPI
  Layout* layout_;     // not owned: the parent's
  WNDPROC procedure_;  // the control's own, under the subclass
};

}  // namespace toolkit

#pragma once
// What the plug-in keeps between calls, for the whole process: the host's
// window and the dialog's place and size. Calls never overlap, so nothing
// guards it.

#include <windows.h>

#include "toolkit/Dpi.h"

struct PluginState {
  HWND HostWindow = nullptr;
  // The furthest right the dialog's left edge goes: 70 pixels (at the design
  // DPI) short of the desktop's right edge, so that some of the dialog stays
  // on screen.
  LONG MaxLeft = 0;
  // The dialog's outer size, as the last edit left it, at the DPI it had then.
  LONG DialogWidth = 352;
  LONG DialogHeight = 636;
  int DialogDpi = toolkit::kDesignDpi;
};

PluginState& State();

// Announces the host's window and starts again from the size of a first
// dialog.
void InitState(HWND hostWindow);

// The outer rectangle of a dialog shown at `dpi`: just right of the host
// window, but with its left edge no further right than MaxLeft, level with
// the host window's top, in the remembered size scaled to `dpi`. Centred on
// the desktop when the host window's rectangle can't be read (no Init yet, or
// a window that has gone). Moved inside the work area of its monitor where it
// would not fit.
RECT DialogRectangle(const PluginState& state, int dpi);

#pragma once
// Reading and answering a message box, from its own thread or another.

#include <windows.h>

#include <string>

// The box's text, as UTF-8 or as UTF-16.
std::string MessageBoxText(HWND box);
std::wstring MessageBoxWideText(HWND box);
// Whether the box shows the system icon `icon` (IDI_ERROR, ...).
bool ShowsIcon(HWND box, LPCSTR icon);
// Presses OK without waiting for what follows.
void PostOk(HWND box);

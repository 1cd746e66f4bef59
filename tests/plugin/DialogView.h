#pragma once
// The controls of the plug-in's dialog, each found where the layout puts it,
// and what they show.

#include <windows.h>

#include <array>

#include "sound/SoundFields.h"

// The edit fields, in the order of the layout.
enum TextField {
  kPositionX,
  kPositionY,
  kPositionZ,
  kParentSector,
  kScaleX,
  kScaleY,
  kScaleZ,
  kRotation1,
  kRotation2,
  kRotation3,
  kRotation4,
  kSoundFile,
  kConstRadius,
  kDecreaseRadius,
  kExtra1,
  kExtra2,
  kSpeed,
  kSoundSector,
  kTextFieldCount
};

struct DialogView {
  HWND dialog = nullptr;
  HWND positionGroup = nullptr;
  HWND soundGroup = nullptr;
  HWND levelsGroup = nullptr;
  std::array<HWND, kTextFieldCount> texts{};
  HWND soundType = nullptr;
  HWND volume = nullptr;
  HWND maxLevel = nullptr;
  HWND minLevel = nullptr;
  // The level written beside each bar.
  HWND volumeText = nullptr;
  HWND maxLevelText = nullptr;
  HWND minLevelText = nullptr;
  HWND about = nullptr;
  HWND cancel = nullptr;
  HWND ok = nullptr;
};

// Finds every control of `dialog` at its place; a control that is not where
// it belongs is a test failure and stays null.
DialogView FindControls(HWND dialog);

// What the controls show, as the fields they stand for; the name, which no
// control shows, is left as a new sound's.
SoundFields Shown(const DialogView& view);

// The middle of a bar's height at `x` in its client area.
POINT BarPoint(HWND bar, int x);
int BarLevel(HWND bar);

#pragma once
// The three levels (volume, minimum and maximum) are whole steps of a bar;
// the chunk stores them as fractions of the full range.

#include <string>

constexpr int LevelSteps = 50;

int ClampLevel(int level);

// The level nearest to a stored fraction, ties to even, clamped; a stored
// not-a-number gives 0.
int LevelFromStored(float fraction);

// The level under the pointer at `x` in a bar `width` pixels wide:
// 50 × x / width, ties to even, clamped.
int LevelAtPointer(int x, int width);

// The fraction that a level is stored as: level / 50 as the nearest single.
float StoredLevel(int level);

// A level as the dialog and the side panel show it: "30 of 50".
std::string LevelText(int level);

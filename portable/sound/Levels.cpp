#include "sound/Levels.h"

#include <algorithm>
#include <cmath>

namespace {

// The products are formed in extended precision; rounding follows the
// floating-point environment, which the plug-in keeps at nearest, ties to even.
int RoundLevel(long double steps) {
  if (!(steps > 0)) return 0;
  if (steps >= LevelSteps) return LevelSteps;
  return static_cast<int>(std::nearbyint(steps));
}

}  // namespace

int ClampLevel(int level) { return std::clamp(level, 0, LevelSteps); }

int LevelFromStored(float fraction) { return RoundLevel(static_cast<long double>(LevelSteps) * fraction); }

int LevelAtPointer(int x, int width) {
  if (width <= 0) return 0;
  return RoundLevel(static_cast<long double>(LevelSteps) * x / width);
}

float StoredLevel(int level) { return static_cast<float>(ClampLevel(level)) / static_cast<float>(LevelSteps); }

std::string LevelText(int level) { return std::to_string(level) + " of " + std::to_string(LevelSteps); }

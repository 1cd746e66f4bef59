// Levels: whole steps of a bar, stored as fractions of the full range.

#include <gtest/gtest.h>

#include <limits>

#include "sound/Levels.h"

namespace {

TEST(Levels, StoredFractionRoundsToNearestStepTiesToEven) {
  const std::pair<float, int> cases[] = {
      {0.0f, 0},
      {1.0f, 50},
      {0.5f, 25},
      {0.25f, 12},  // 12.5
      {0.75f, 38},  // 37.5
      // The product of the single itself, not of the decimal it came from:
      // 0.05f is a little above 0.05 and 0.11f a little below 0.11.
      {0.05f, 3},
      {0.11f, 5},
      {0.24f, 12},
      {1.7f, 50},
      {-0.3f, 0},
      {std::numeric_limits<float>::infinity(), 50},
      {-std::numeric_limits<float>::infinity(), 0},
      {std::numeric_limits<float>::quiet_NaN(), 0},
  };
  for (const auto& [stored, level] : cases) EXPECT_EQ(LevelFromStored(stored), level) << stored;
}

TEST(Levels, PointerPlaceOverTheBarWidth) {
  struct Case {
    int x, width, level;
  };
  const Case cases[] = {
      {104, 209, 25},               // 24.88
      {208, 209, 50},               // 49.76
      {0, 209, 0},    {1, 100, 0},  // 0.5
      {3, 100, 2},                  // 1.5
      {5, 100, 2},                  // 2.5
      {-7, 209, 0},   {400, 209, 50}, {10, 0, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(LevelAtPointer(c.x, c.width), c.level) << c.x << "/" << c.width;
}

TEST(Levels, StoredAsTheNearestSingleOfTheFraction) {
  EXPECT_EQ(StoredLevel(12), 0.24f);
  EXPECT_EQ(StoredLevel(50), 1.0f);
  EXPECT_EQ(StoredLevel(0), 0.0f);
  EXPECT_EQ(StoredLevel(1), 0.02f);
  // A level given out of range is clamped first.
  EXPECT_EQ(StoredLevel(80), 1.0f);
  EXPECT_EQ(StoredLevel(-4), 0.0f);
  // Every level survives being stored and read.
  for (int level = 0; level <= LevelSteps; ++level) EXPECT_EQ(LevelFromStored(StoredLevel(level)), level);
}

}  // namespace

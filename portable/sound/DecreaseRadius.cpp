#include "sound/DecreaseRadius.h"

#include "sound/NumberText.h"

// A width comes back as stored where a double holds the sum exactly, as it
// does unless the two floats lie more than 29 powers of two apart; otherwise
// the sum is rounded, and the width written from it is then kept at every
// later read and write: a sum formed from it is exact.
std::string DecreaseRadiusText(float constRadius, float width) {
  const double sum = static_cast<double>(constRadius) + static_cast<double>(width);
  const float written = static_cast<float>(sum - static_cast<double>(constRadius));
  // 15 digits, as every number shows, where they give the width back; more
  // where the width is far smaller than the radius, up to the 17 that give
  // back the sum itself.
  std::string text = FormatNumber(sum);
  for (int digits = 16; digits <= 17 && DecreaseWidth(text, constRadius) != written; ++digits)
    text = FormatNumber(sum, digits);
  return text;
}

float DecreaseWidth(const std::string& decreaseRadius, float constRadius) {
  return static_cast<float>(ParseNumber(decreaseRadius) - static_cast<double>(constRadius));
}

#include "tools/bench/Timing.h"

#include <algorithm>

Timing Summarise(std::vector<double> milliseconds) {
  if (milliseconds.empty()) return {};
  std::sort(milliseconds.begin(), milliseconds.end());
  const size_t middle = milliseconds.size() / 2;
  const double median =
      milliseconds.size() % 2 == 1 ? milliseconds[middle] : (milliseconds[middle - 1] + milliseconds[middle]) / 2;
  return {milliseconds.front(), median};
}

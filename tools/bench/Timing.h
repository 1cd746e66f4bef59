#pragma once

#include <chrono>
#include <vector>

class Stopwatch {
 public:
  double Milliseconds() const {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_).count();
  }

 private:
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// The best and the median of several runs of one operation, in milliseconds.
struct Timing {
  double best = 0;
  double median = 0;
};

Timing Summarise(std::vector<double> milliseconds);

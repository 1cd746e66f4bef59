#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One run of a program as a whole process.
struct ProcessRun {
  double milliseconds;  // from its start to its end, as its user waits
  uint64_t peakBytes;   // its peak resident memory
};

// Runs the program (found on PATH like a shell does) with its arguments, its
// output dropped, and waits for its end; raises std::runtime_error when it
// can't be started or does not end with status `expected`.
ProcessRun RunProcess(const std::vector<std::string>& command, int expected = 0);

// The path of this program's own executable, to start it again in another
// mode; raises std::runtime_error when the system does not tell it.
std::string OwnExecutable();

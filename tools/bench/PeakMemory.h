#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The peak resident memory of this process so far (VmHWM in /proc/self/status),
// in bytes; 0 when it can't be read.
uint64_t PeakResidentBytes();

// Runs this same program with `args` in a child process and gives what it
// printed on its standard output; raises std::runtime_error when it could not
// be started or did not end with status 0.
std::string RunSelf(const std::vector<std::string>& args);

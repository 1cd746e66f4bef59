#pragma once

#include <cstdint>
#include <string>

// Writes `count` small files of `bytes` bytes each into `folder` (which it
// makes) as an export writes each of its files, with nothing else: a new file
// created exclusively, written, closed and renamed to its own name. The least
// that an export of so many chunks costs. False, with the system's reason,
// when it can't.
bool WriteFilesSafely(const std::string& folder, uint64_t count, uint64_t bytes, std::string& reason);

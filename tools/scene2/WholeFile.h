#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Every byte of a regular file; false, with the reason, when it can't be read.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error);

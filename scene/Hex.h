#pragma once

#include <cstdint>
#include <string>

// `value` in upper-case hexadecimal, zero-padded to at least `digits` digits.
std::string HexUpper(uint64_t value, int digits);
// `value` in lower-case hexadecimal, zero-padded to at least `digits` digits.
std::string HexLower(uint64_t value, int digits);

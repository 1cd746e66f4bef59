#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// `value` in upper-case hexadecimal, zero-padded to at least `digits` digits.
std::string HexUpper(uint64_t value, int digits);
// `value` in lower-case hexadecimal, zero-padded to at least `digits` digits.
std::string HexLower(uint64_t value, int digits);
// Each byte as two upper-case hexadecimal digits, with nothing between.
std::string HexUpperBytes(std::string_view bytes);

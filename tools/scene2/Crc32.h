#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The CRC-32 of zlib, PNG and zip (polynomial 0xEDB88320, reflected, all bits
// inverted before and after): what `list --long` and `diff` show of a chunk's
// bytes, so that a listing can be compared with any other tool's checksum.
// `crc` continues a checksum over bytes given in parts.
uint32_t Crc32(const uint8_t* bytes, size_t count, uint32_t crc = 0);

// A checksum as eight upper-case hexadecimal digits.
std::string Crc32Text(uint32_t crc);

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A whole chunk: its type, its size (header included) and the payload.
std::string ChunkOf(uint16_t type, std::string_view payload);

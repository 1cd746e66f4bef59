#pragma once
// What is wrong inside a scene item chunk, worded once for scene2 check and
// for the description of a chunk's structure.

#include <cstddef>
#include <cstdint>
#include <string>

#include "scene/ByteView.h"

// Why a run of sub-chunks in `body` stops at `at` before its end: too few
// bytes for a header, a size below the header, or a size that runs past.
std::string SubChunkRunFault(ByteView body, size_t at);

// What is wrong with the name length field at `at` of an init script or a
// visual effect `chunk`; empty when the name fits.
std::string NameLengthFault(ByteView chunk, uint32_t at);

#pragma once

#include <cstdint>

// The object types that get a folder under "Objects": those with a display
// name in the catalogue, each with its own slot.
constexpr int kObjectFolderCount = 11;

// The slot 0 to kObjectFolderCount - 1 of a known object type code, or -1.
int ObjectFolderSlot(uint32_t code);

#pragma once
// One edit of a sound object as the host asks for it.

#include <cstdint>

// Shows the dialog for the object chunk of `size` bytes at `chunk` (null for a
// new sound). True when the user confirmed: `chunk` and `size` then hold a new
// block from the local heap that the host takes over. False for an object of
// another type, a cancelled edit or a block that can't be had, with `chunk`
// and `size` as they were.
bool EditSoundObject(uint8_t*& chunk, int32_t& size);

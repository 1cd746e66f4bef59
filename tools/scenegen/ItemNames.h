#pragma once

#include <cstdint>
#include <string>

#include "tools/scenegen/Random.h"

// A name as modders' scenes have them: mostly a word and the item's serial
// number, so unique within a section; a few shared by several items; a few
// with spaces or with bytes above 0x7F (Windows-1251 letters).
std::string ItemName(TRandom& random, const std::string& word, uint32_t serial);

// The plain form: the word, an underscore and the serial in at least 4 digits.
std::string NumberedName(const std::string& word, uint32_t serial);

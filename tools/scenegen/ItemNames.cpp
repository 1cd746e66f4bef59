#include "tools/scenegen/ItemNames.h"

namespace {

const char* const kSharedNames[] = {"dummy", "Box01", "default", "helper"};
// Cyrillic words in Windows-1251 and one Latin-1 word: names that a tool must
// keep as bytes, never convert.
const char* const kHighByteWords[] = {"\xEA\xF0\xE0\xED", "\xFF\xF9\xE8\xEA", "\xE4\xE2\xE5\xF0\xFC", "caf\xE9"};

std::string Serial(uint32_t serial) {
  std::string digits = std::to_string(serial);
  if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
  return digits;
}

}  // namespace

std::string NumberedName(const std::string& word, uint32_t serial) { return word + "_" + Serial(serial); }

std::string ItemName(TRandom& random, const std::string& word, uint32_t serial) {
  const uint64_t roll = random.Below(100);
  // Every fiftieth item shares a name, so that a section of a hundred or more
  // surely holds one name twice, as real scenes do.
  if (serial % 50 == 0) return kSharedNames[0];
  if (roll < 4) return random.Pick(kSharedNames);
  if (roll < 6) return "old " + word + " " + Serial(serial);
  if (roll < 8) return NumberedName(random.Pick(kHighByteWords), serial);
  return NumberedName(word, serial);
}

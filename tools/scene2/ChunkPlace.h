#pragma once
// A chunk named by its place, "objects:3", as show and set take it.

#include <optional>
#include <string>

#include "scene/ChunkList.h"

// "objects:3": the section's word, and the place as typed.
struct ChunkPlace {
  std::string section;
  std::string index;
};

// The operand split at its last ":"; nullopt without one.
std::optional<ChunkPlace> PlaceOperand(const std::string& operand);

// Whether `text` is a whole number, as "-1" and "99999999999" are.
bool IsWholeNumber(const std::string& text);

// The chunk at the place `index` names: null for a number that no place of
// a list is, below 0 or above the largest a list can count.
ChunkRef ChunkAt(const ChunkList& list, const std::string& index);

#pragma once
// The four sections of a scene as the command line names them, in the order
// in which the editor's tree and every listing show them.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

struct Section {
  uint16_t code;      // of the section chunk
  uint16_t itemType;  // of the chunks it holds
  // "objects", "definitions", "initscripts" or "viseffects".
  const char* Word() const;
};

std::span<const Section> Sections();
// Null when no section has that word or code.
const Section* SectionByWord(std::string_view word);
const Section* SectionByCode(uint16_t code);
// "objects, definitions, initscripts and viseffects", or with another last
// conjunction.
std::string SectionWords(const char* conjunction = "and");
// "4000, AE20, AE50 and AE02", the section codes.
std::string SectionCodes();

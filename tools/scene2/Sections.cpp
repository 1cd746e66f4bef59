#include "tools/scene2/Sections.h"

#include <iterator>

#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "scene/Hex.h"

namespace {

constexpr Section kSections[] = {
    {kObjectsSection, kObjectChunk},
    {kDefinitionsSection, kDefinitionChunk},
    {kInitScriptsSection, kInitScriptChunk},
    {kVisualEffectsSection, kVisualEffectChunk},
};

// One text for each section, in a list: "a, b, c and d".
template <typename Text>
std::string Listed(Text text, const std::string& conjunction = "and") {
  std::string list;
  for (size_t i = 0; i < std::size(kSections); ++i)
    list += (i == 0 ? "" : i + 1 < std::size(kSections) ? ", " : " " + conjunction + " ") + text(kSections[i]);
  return list;
}

}  // namespace

const char* Section::Word() const { return SectionWord(itemType); }

std::span<const Section> Sections() { return kSections; }

const Section* SectionByWord(std::string_view word) {
  for (const Section& section : kSections)
    if (word == section.Word()) return &section;
  return nullptr;
}

const Section* SectionByCode(uint16_t code) {
  for (const Section& section : kSections)
    if (code == section.code) return &section;
  return nullptr;
}

std::string SectionWords(const char* conjunction) {
  return Listed([](const Section& section) { return std::string(section.Word()); }, conjunction);
}

std::string SectionCodes() {
  return Listed([](const Section& section) { return HexUpper(section.code, 4); });
}

#include "tools/scene2/Sections.h"

#include "scene/Hex.h"

namespace {

// One text for each section, in a list: "a, b, c and d".
template <typename Text>
std::string Listed(Text text, const std::string& conjunction = "and") {
  std::string list;
  for (size_t i = 0; i < kSceneSectionCount; ++i)
    list += (i == 0 ? "" : i + 1 < kSceneSectionCount ? ", " : " " + conjunction + " ") + text(kSceneSections[i]);
  return list;
}

}  // namespace

std::string SectionWords(const char* conjunction) {
  return Listed([](const SceneSection& section) { return std::string(section.word); }, conjunction);
}

std::string SectionCodes() {
  return Listed([](const SceneSection& section) { return HexUpper(section.code, 4); });
}

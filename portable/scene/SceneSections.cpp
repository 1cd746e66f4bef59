#include "scene/ChunkTypes.h"

namespace {

template <typename Match>
const SceneSection* FindSection(Match match) {
  for (const SceneSection& section : kSceneSections)
    if (match(section)) return &section;
  return nullptr;
}

}  // namespace

const SceneSection* SectionByCode(uint16_t code) {
  return FindSection([code](const SceneSection& section) { return section.code == code; });
}

const SceneSection* SectionOfItemType(uint16_t itemType) {
  return FindSection([itemType](const SceneSection& section) { return section.itemType == itemType; });
}

const SceneSection* SectionByWord(std::string_view word) {
  return FindSection([word](const SceneSection& section) { return section.word == word; });
}

const SceneSection& SectionAtWritePlace(size_t place) {
  return *FindSection([place](const SceneSection& section) { return section.writePlace == place; });
}

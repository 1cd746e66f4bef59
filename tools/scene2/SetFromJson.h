#pragma once
// What set --from takes: the chunks and their fields in the shape that
// show --json prints them, one such object or an array of them.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/scene2/FieldSettings.h"
#include "tools/scene2/JsonReader.h"

// One chunk's fields as the document gives them, each at its place in the
// chunk's structure: every node with a "what" and a "value".
struct PlacedSettings {
  std::string section;  // the word, as show writes it
  int32_t index = 0;    // from 0; the caller checks that a chunk is there
  std::vector<FieldSetting> settings;
  std::string where;  // of the chunk's object in the document, for a message
};

// Nullopt, with the problem and where it is in the document, for a document
// of another shape or a value with a character that Windows-1251 lacks.
std::optional<std::vector<PlacedSettings>> SettingsFromJson(const JsonValue& document, std::string& problem);

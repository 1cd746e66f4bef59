#include "tools/scene2/SetFromJson.h"

#include <cmath>
#include <span>

#include "tools/scene2/NameText.h"

namespace {

using Type = JsonValue::Type;

// Collects the settings of `node` and its children, `place` being its own.
bool Collect(const JsonValue& node, std::vector<size_t>& place, std::vector<FieldSetting>& settings,
             std::string& problem) {
  if (node.type != Type::Object) {
    problem = node.Where() + ": a node of the chunk is no object";
    return false;
  }
  const JsonValue* what = node.Member("what");
  const JsonValue* value = node.Member("value");
  const JsonValue* hex = node.Member("valueHex");
  if (what != nullptr && value != nullptr) {
    if (what->type != Type::String || value->type != Type::String || (hex != nullptr && hex->type != Type::String)) {
      problem = node.Where() + ": \"what\", \"value\" and \"valueHex\" are strings";
      return false;
    }
    // The hexadecimal bytes stand for a value with a byte that has no character.
    std::optional<std::string> bytes = hex != nullptr ? HexBytes(hex->text) : TextBytes(value->text, problem);
    if (!bytes) {
      problem = value->Where() + ": " + (hex != nullptr ? "\"valueHex\" is no hexadecimal bytes" : problem);
      return false;
    }
    settings.push_back({what->text, place, std::move(*bytes), false});
  }
  const JsonValue* children = node.Member("children");
  if (children == nullptr) return true;
  if (children->type != Type::Array) {
    problem = children->Where() + ": \"children\" is no array";
    return false;
  }
  for (size_t index = 0; index < children->items.size(); ++index) {
    place.push_back(index);
    if (!Collect(children->items[index], place, settings, problem)) return false;
    place.pop_back();
  }
  return true;
}

std::optional<PlacedSettings> ChunkSettings(const JsonValue& item, std::string& problem) {
  const JsonValue* section = item.type == Type::Object ? item.Member("section") : nullptr;
  const JsonValue* index = item.type == Type::Object ? item.Member("index") : nullptr;
  const JsonValue* chunk = item.type == Type::Object ? item.Member("chunk") : nullptr;
  if (section == nullptr || section->type != Type::String || index == nullptr || index->type != Type::Number ||
      chunk == nullptr) {
    problem = item.Where() + ": expected an object with \"section\" (a string), \"index\" (a number) and \"chunk\"";
    return std::nullopt;
  }
  // Any count of a list fits in an int32_t; a fraction or less is no place.
  if (index->number != std::floor(index->number) || index->number < 0 || index->number > INT32_MAX) {
    problem = index->Where() + ": \"index\" is no place of a list, a whole number from 0";
    return std::nullopt;
  }
  PlacedSettings placed{section->text, static_cast<int32_t>(index->number), {}, item.Where()};
  std::vector<size_t> place;
  if (!Collect(*chunk, place, placed.settings, problem)) return std::nullopt;
  return placed;
}

}  // namespace

std::optional<std::vector<PlacedSettings>> SettingsFromJson(const JsonValue& document, std::string& problem) {
  std::vector<PlacedSettings> chunks;
  const bool many = document.type == Type::Array;
  const std::span<const JsonValue> items = many ? std::span(document.items) : std::span(&document, 1);
  for (const JsonValue& item : items) {
    std::optional<PlacedSettings> placed = ChunkSettings(item, problem);
    if (!placed) return std::nullopt;
    chunks.push_back(std::move(*placed));
  }
  return chunks;
}

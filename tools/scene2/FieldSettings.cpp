#include "tools/scene2/FieldSettings.h"

#include "structure/ChunkStructure.h"
#include "structure/ValueEditing.h"

namespace {

// The child indexes from `root` down to `target`; false when it is not there.
bool PlaceOf(const StructureNode& root, const StructureNode& target, std::vector<size_t>& place) {
  if (&root == &target) return true;
  for (size_t index = 0; index < root.children.size(); ++index) {
    place.push_back(index);
    if (PlaceOf(root.children[index], target, place)) return true;
    place.pop_back();
  }
  return false;
}

const StructureNode* NodeAt(const StructureNode& root, const std::vector<size_t>& place) {
  const StructureNode* node = &root;
  for (const size_t index : place) {
    if (index >= node->children.size()) return nullptr;
    node = &node->children[index];
  }
  return node;
}

// The line a setting names; null when the chunk has none that takes a value.
const StructureNode* LineOf(const StructureNode& root, const FieldSetting& setting) {
  if (!setting.place) return FindValueLine(root, setting.field);
  const StructureNode* line = NodeAt(root, *setting.place);
  if (line == nullptr || line->what != setting.field) return nullptr;
  return line;
}

SceneError Refusal(std::string message) { return {SceneFault::BadValue, std::move(message)}; }

}  // namespace

std::optional<FieldSetting> ParseSetting(const std::string& argument) {
  const size_t equals = argument.find('=');
  if (equals == std::string::npos || equals == 0) return std::nullopt;
  FieldSetting setting;
  setting.adds = argument[equals - 1] == '+';
  setting.field = argument.substr(0, equals - (setting.adds ? 1 : 0));
  setting.value = argument.substr(equals + 1);
  if (setting.field.empty()) return std::nullopt;
  return setting;
}

Outcome<SetChunk> ApplySettings(ByteView chunk, const std::vector<FieldSetting>& settings, bool values) {
  SetChunk set;
  std::vector<std::vector<size_t>> places;
  for (const FieldSetting& setting : settings) {
    const ByteView bytes = set.rebuilt ? set.rebuilt.Bytes() : chunk;
    const StructureNode root = DescribeChunk(bytes);
    const StructureNode* line = LineOf(root, setting);
    if (line == nullptr || line->valueKind == ValueKind::None) {
      // A line of --from that holds its value needs no setting.
      if (line != nullptr && line->value == setting.value) continue;
      return Refusal("no field \"" + setting.field + "\" that takes a value");
    }
    // What --from gives back as it was is no change; a field named on the
    // command line is one that the run set, whatever it held.
    const bool same = !setting.adds && line->value == setting.value;
    if (same && setting.place) continue;
    set.changes.push_back({ValueName(*line), values ? line->value : std::string(), {}});
    if (values) PlaceOf(root, *line, places.emplace_back());
    if (same) continue;
    Outcome<Chunk> rebuilt = setting.adds ? WithValueAdded(bytes, root, *line, setting.value)
                                          : WithValue(bytes, root, *line, setting.value);
    if (!rebuilt.ok()) return Refusal(rebuilt.failure().message);
    set.rebuilt = std::move(rebuilt.value());
  }
  if (!values) return set;
  const StructureNode after = DescribeChunk(set.rebuilt ? set.rebuilt.Bytes() : chunk);
  for (size_t index = 0; index < places.size(); ++index)
    if (const StructureNode* line = NodeAt(after, places[index])) set.changes[index].after = line->value;
  return set;
}

#include "tools/scene2/FieldSettings.h"

#include <algorithm>

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

void FieldNames::Add(std::string_view field) {
  if (std::find(names_.begin(), names_.end(), field) == names_.end()) names_.emplace_back(field);
}

void FieldNames::Add(const FieldNames& other) {
  for (const std::string& field : other.names_) Add(field);
}

std::string FieldNames::Text() const {
  std::string text;
  for (const std::string& field : names_) text += (text.empty() ? "" : ", ") + field;
  return text.empty() ? "no field" : text;
}

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

SettingsApplier::SettingsApplier(const std::vector<FieldSetting>& settings, bool values)
    : settings_(settings), values_(values) {
  for (const FieldSetting& setting : settings) {
    itemFields_.push_back(setting.place ? std::vector<const KnownSubChunk*>() : ItemFieldEntries(setting.field));
    typed_.emplace_back(setting.value, setting.adds);
  }
}

Outcome<SetChunk> SettingsApplier::Apply(ByteView chunk, LargeBytes& out, FieldNames& fields) {
  if (std::optional<Outcome<SetChunk>> set = ApplyToItemFields(chunk, out, fields)) return std::move(*set);
  return ApplyDescribed(chunk, out, fields);
}

// Fields of fixed length found in the item's own run, each value written
// over a copy of the chunk in `out`: no description, no chunk of its own.
// Nullopt, `out` as it was, where a setting needs the chunk described.
std::optional<Outcome<SetChunk>> SettingsApplier::ApplyToItemFields(ByteView chunk, LargeBytes& out,
                                                                    FieldNames& fields) {
  const size_t start = out.size();
  const auto back = [&](std::optional<Outcome<SetChunk>> result) {
    out.resize(start);
    return result;
  };
  SetChunk set;
  for (size_t index = 0; index < settings_.size(); ++index) {
    const FieldSetting& setting = settings_[index];
    if (itemFields_[index].empty()) return back(std::nullopt);
    const ByteView bytes = set.rebuilt ? ByteView(out.data() + start, chunk.Length()) : chunk;
    // The text shown is read only where it is compared or told.
    const bool shown = values_ || !setting.adds;
    const std::optional<StructureNode> line = DescribeItemSubChunk(bytes, itemFields_[index], shown);
    if (!line) return back(std::nullopt);
    fields.Add(line->what);  // a line of fixed length is named by what it is
    if (values_) set.changes.push_back({ValueName(*line), line->value, {}});
    if (!setting.adds && line->value == setting.value) continue;
    const Outcome<std::string> written = typed_[index].BytesFor(bytes, *line);
    if (!written.ok()) return back(Refusal(written.failure().message));
    if (!set.rebuilt) out.insert(out.end(), chunk.Data(), chunk.Data() + chunk.Length());
    set.rebuilt = true;
    std::copy(written.value().begin(), written.value().end(),
              out.begin() + static_cast<std::ptrdiff_t>(start + ValueOffset(*line)));
  }
  if (values_) {
    const ByteView after = set.rebuilt ? ByteView(out.data() + start, chunk.Length()) : chunk;
    for (size_t index = 0; index < settings_.size(); ++index)
      if (const std::optional<StructureNode> line = DescribeItemSubChunk(after, itemFields_[index]))
        set.changes[index].after = line->value;
  }
  return set;
}

Outcome<SetChunk> SettingsApplier::ApplyDescribed(ByteView chunk, LargeBytes& out, FieldNames& fields) const {
  SetChunk set;
  Chunk rebuilt;
  std::vector<std::vector<size_t>> places;
  for (const FieldSetting& setting : settings_) {
    const ByteView bytes = rebuilt ? rebuilt.Bytes() : chunk;
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
    fields.Add(ValueName(*line));
    if (values_) {
      set.changes.push_back({ValueName(*line), line->value, {}});
      PlaceOf(root, *line, places.emplace_back());
    }
    if (same) continue;
    Outcome<Chunk> with =
        setting.adds ? WithValueAdded(bytes, root, *line, setting.value) : WithValue(bytes, root, *line, setting.value);
    if (!with.ok()) return Refusal(with.failure().message);
    rebuilt = std::move(with.value());
  }
  if (rebuilt) {
    out.insert(out.end(), rebuilt.Data(), rebuilt.Data() + rebuilt.Length());
    set.rebuilt = true;
  }
  if (!values_) return set;
  const StructureNode after = DescribeChunk(rebuilt ? rebuilt.Bytes() : chunk);
  for (size_t index = 0; index < places.size(); ++index)
    if (const StructureNode* line = NodeAt(after, places[index])) set.changes[index].after = line->value;
  return set;
}

// libFuzzer's entry for set --from: the input is the JSON a user gives
// back. A document read is written again and reads the same; settings read
// from it are applied to the chunks of a small generated scene as set
// applies them, and the scene then takes them as one edit, saves and loads
// the same, and an undo gives back the scene as loaded.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "scene/ChunkTypes.h"
#include "scene/MemoryStream.h"
#include "scene/SceneDocument.h"
#include "tools/fuzz/Require.h"
#include "tools/fuzz/RoundTrip.h"
#include "tools/scene2/FieldSettings.h"
#include "tools/scene2/JsonReader.h"
#include "tools/scene2/JsonWriter.h"
#include "tools/scene2/SetFromJson.h"
#include "tools/scenegen/SceneGenerator.h"

namespace {

// What the writer can write: no null, and only whole numbers.
bool Writable(const JsonValue& value) {
  switch (value.type) {
    case JsonValue::Type::Null:
      return false;
    case JsonValue::Type::Number:
      return std::trunc(value.number) == value.number && std::fabs(value.number) < 1e15;
    case JsonValue::Type::Array:
      for (const JsonValue& item : value.items)
        if (!Writable(item)) return false;
      return true;
    case JsonValue::Type::Object:
      for (const JsonMember& member : value.members)
        if (!Writable(member.value)) return false;
      return true;
    default:
      return true;
  }
}

void Write(JsonWriter& json, const JsonValue& value) {
  switch (value.type) {
    case JsonValue::Type::Bool:
      json.Bool(value.boolean);
      break;
    case JsonValue::Type::Number:
      json.Number(static_cast<int64_t>(value.number));
      break;
    case JsonValue::Type::String:
      json.String(value.text);
      break;
    case JsonValue::Type::Array:
      json.BeginArray();
      for (const JsonValue& item : value.items) Write(json, item);
      json.EndArray();
      break;
    case JsonValue::Type::Object:
      json.BeginObject();
      for (const JsonMember& member : value.members) {
        json.Key(member.key);
        Write(json, member.value);
      }
      json.EndObject();
      break;
    case JsonValue::Type::Null:
      break;
  }
}

bool Same(const JsonValue& a, const JsonValue& b) {
  if (a.type != b.type || a.boolean != b.boolean || a.number != b.number || a.text != b.text ||
      a.items.size() != b.items.size() || a.members.size() != b.members.size())
    return false;
  for (size_t at = 0; at < a.items.size(); ++at)
    if (!Same(a.items[at], b.items[at])) return false;
  for (size_t at = 0; at < a.members.size(); ++at)
    if (a.members[at].key != b.members[at].key || !Same(a.members[at].value, b.members[at].value)) return false;
  return true;
}

// A scene of every section, with sound objects among its objects.
std::string SmallScene() {
  SceneOptions options;
  options.objects = 12;
  options.definitions = 3;
  options.initScripts = 2;
  options.visualEffects = 2;
  TMemoryStream stream;
  GenerateScene(options, stream);
  return std::string(reinterpret_cast<const char*>(stream.Data()), static_cast<size_t>(stream.Size()));
}

const std::string kScene = SmallScene();

// The settings applied to their chunks as set applies them; false where a
// chunk refused one or is not there.
bool Apply(SceneDocument& scene, const std::vector<PlacedSettings>& placed) {
  std::vector<std::pair<ChunkId, size_t>> starts;
  LargeBytes rebuilt;
  FieldNames fields;
  for (const PlacedSettings& chunk : placed) {
    const SceneSection* section = SectionByWord(chunk.section);
    if (section == nullptr || chunk.index < 0 || chunk.index >= scene.List(*section).Count()) return false;
    const ChunkEntry& entry = scene.List(*section).Entries()[static_cast<size_t>(chunk.index)];
    const size_t start = rebuilt.size();
    SettingsApplier applier(chunk.settings, true);
    const Outcome<SetChunk> set = applier.Apply(entry.chunk.Bytes(), rebuilt, fields);
    Require(set.ok() || rebuilt.size() == start, "a refused setting left bytes behind");
    if (!set.ok()) return false;
    Require(set.value().rebuilt == (rebuilt.size() > start), "a chunk rebuilt without its bytes, or bytes without it");
    if (set.value().rebuilt) starts.emplace_back(entry.id, start);
  }
  const std::shared_ptr<const ByteBlock> block = BlockOf(std::move(rebuilt));
  std::vector<ChunkReplacement> replacements;
  for (size_t at = 0; at < starts.size(); ++at) {
    const size_t end = at + 1 < starts.size() ? starts[at + 1].second : block->Size();
    // A chunk's size field is its length, or the chunk is refused.
    replacements.push_back(
        {starts[at].first, Chunk(block, ByteView(block->Data() + starts[at].second, end - starts[at].second))});
  }
  return scene.ReplaceChunks(replacements, fields.Text()).ok();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  DropTrace();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string problem;
  const std::optional<JsonValue> document = ReadJson(text, problem);
  if (!document) {
    Require(problem.starts_with("line "), "a refused document without where");
    return 0;
  }
  if (Writable(*document)) {
    std::ostringstream written;
    JsonWriter json(written);
    Write(json, *document);
    const std::optional<JsonValue> again = ReadJson(written.str(), problem);
    Require(again && Same(*document, *again), "a document written again reads otherwise");
  }

  const std::optional<std::vector<PlacedSettings>> placed = SettingsFromJson(*document, problem);
  if (!placed) return 0;
  SceneDocument scene;
  TMemoryStream stored(reinterpret_cast<const uint8_t*>(kScene.data()), kScene.size());
  stored.Seek(0, TStream::Origin::Begin);
  Require(scene.Load(stored).ok(), "the small scene does not load");
  const std::string asLoaded = SavedBytes(scene);
  if (!Apply(scene, *placed)) {
    Require(SavedBytes(scene) == asLoaded && !scene.CanUndo(), "a refused set changed the scene");
    return 0;
  }
  RequireStableRoundTrip(scene);
  if (scene.CanUndo()) Require(scene.Undo() && SavedBytes(scene) == asLoaded, "an undone set left the scene changed");
  return 0;
}

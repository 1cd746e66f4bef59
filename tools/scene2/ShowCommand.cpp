// show: the structure of one chunk, as lines or as one JSON document.

#include <charconv>

#include "scene/Counted.h"
#include "structure/ChunkStructure.h"
#include "tools/scene2/Session.h"
#include "tools/scene2/StructureText.h"

namespace {

// "objects:3" as its section word and index; nullopt for an operand without
// a ":" and digits after it.
std::optional<std::pair<std::string, int32_t>> PositionOperand(const std::string& operand) {
  const size_t colon = operand.rfind(':');
  if (colon == std::string::npos) return std::nullopt;
  int32_t index = 0;
  const char* first = operand.data() + colon + 1;
  const char* last = operand.data() + operand.size();
  const auto [end, error] = std::from_chars(first, last, index);
  if (first == last || error != std::errc() || end != last || index < 0) return std::nullopt;
  return std::pair{operand.substr(0, colon), index};
}

}  // namespace

int RunShow(Session& session) {
  const std::string& path = session.Operand(0);
  const std::optional<std::pair<std::string, int32_t>> position = PositionOperand(session.Operand(1));
  const SceneSection* section = session.SectionOperand(position ? position->first : session.Operand(1));
  if (section == nullptr) return kUsage;
  if (position && session.OperandCount() > 2)
    return session.UsageError("unexpected argument \"" + session.Operand(2) + "\" after a SECTION:INDEX");
  if (!position && session.OperandCount() < 3) return session.UsageError("missing NAME");
  const std::optional<std::string> name = position ? std::nullopt : session.NameOperand(session.Operand(2));
  if (!position && !name) return kUsage;

  session.TraceTo(session.Err());
  std::unique_ptr<SceneDocument> document = session.Load(path);
  if (!document) return kFailure;
  const ChunkList& list = document->SectionListByChunkID(section->itemType);
  const int32_t index = position ? position->second : session.NamedIndex(*document, path, *section, *name);
  if (index < 0) return kFailure;
  const PStream chunk = list.Ref(index);
  if (chunk == nullptr)
    return session.Failure("no chunk " + std::to_string(index) + " in " + section->word + " of " + path +
                           ", which holds " + Counted(static_cast<uint64_t>(list.Count()), "chunk"));

  const ByteView bytes = chunk.Bytes();
  const StructureNode structure = DescribeChunk(bytes);
  const Arguments& args = session.Args();
  if (!args.json) {
    WriteStructureLines(session.Out(), bytes, structure, args.hex);
  } else {
    JsonWriter json(session.Out());
    json.BeginObject();
    json.Key("section");
    json.String(section->word);
    json.Key("index");
    json.Number(index);
    json.Key("chunk");
    WriteStructureJson(json, bytes, structure, args.hex);
    json.EndObject();
  }
  return kSuccess;
}

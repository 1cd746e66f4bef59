// show: the structure of one chunk, as lines or as one JSON document.

#include <charconv>

#include "scene/Counted.h"
#include "structure/ChunkStructure.h"
#include "tools/scene2/Session.h"
#include "tools/scene2/StructureText.h"

namespace {

// "objects:3": the section's word, and the place as typed.
struct Position {
  std::string section;
  std::string index;
};

// The operand split at its last ":"; nullopt without one.
std::optional<Position> PositionOperand(const std::string& operand) {
  const size_t colon = operand.rfind(':');
  if (colon == std::string::npos) return std::nullopt;
  return Position{operand.substr(0, colon), operand.substr(colon + 1)};
}

// Whether `text` is a whole number, as "-1" and "99999999999" are.
bool IsWholeNumber(const std::string& text) {
  const size_t digits = text.starts_with('-') ? 1 : 0;
  return text.size() > digits && text.find_first_not_of("0123456789", digits) == std::string::npos;
}

// The chunk at the place `index` names: null for a number that no place of
// a list is, below 0 or above the largest a list can count.
ChunkRef ChunkAt(const ChunkList& list, const std::string& index) {
  int32_t place = -1;
  const auto [end, error] = std::from_chars(index.data(), index.data() + index.size(), place);
  if (error != std::errc() || end != index.data() + index.size()) return nullptr;
  return list.Ref(place);
}

}  // namespace

int RunShow(Session& session) {
  const std::string& path = session.Operand(0);
  const std::optional<Position> position = PositionOperand(session.Operand(1));
  const SceneSection* section = session.SectionOperand(position ? position->section : session.Operand(1));
  if (section == nullptr) return kUsage;
  if (position && !IsWholeNumber(position->index))
    return session.UsageError("the place in \"" + session.Operand(1) + "\" is no number: SECTION:INDEX counts from 0");
  if (position && session.OperandCount() > 2)
    return session.UsageError("unexpected argument \"" + session.Operand(2) + "\" after a SECTION:INDEX");
  if (!position && session.OperandCount() < 3) return session.UsageError("missing NAME");
  const std::optional<std::string> name = position ? std::nullopt : session.NameOperand(session.Operand(2));
  if (!position && !name) return kUsage;

  session.TraceTo(session.Err());
  std::unique_ptr<SceneDocument> document = session.Load(path);
  if (!document) return kFailure;
  const ChunkList& list = document->List(*section);
  ChunkRef chunk;
  if (position) {
    chunk = ChunkAt(list, position->index);
    if (chunk == nullptr)
      return session.Failure("no chunk " + position->index + " in " + section->word + " of " + path +
                             ", which holds " + Counted(static_cast<uint64_t>(list.Count()), "chunk"));
  } else {
    chunk = session.NamedChunk(*document, path, *section, *name);
    if (chunk == nullptr) return kFailure;
  }

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
    json.Number(list.IndexOf(chunk.id));
    json.Key("chunk");
    WriteStructureJson(json, bytes, structure, args.hex);
    json.EndObject();
  }
  return kSuccess;
}

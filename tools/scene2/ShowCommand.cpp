// show: the structure of one chunk, as lines or as one JSON document.

#include "scene/Counted.h"
#include "structure/ChunkStructure.h"
#include "tools/scene2/ChunkPlace.h"
#include "tools/scene2/Session.h"
#include "tools/scene2/StructureText.h"

int RunShow(Session& session) {
  const std::string& path = session.Operand(0);
  const std::optional<ChunkPlace> position = PlaceOperand(session.Operand(1));
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

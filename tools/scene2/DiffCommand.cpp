// diff: what changed from one scene to another, as lines or one JSON document.

#include "scene/Hex.h"
#include "tools/scene2/Crc32.h"
#include "tools/scene2/JsonWriter.h"
#include "tools/scene2/NameText.h"
#include "tools/scene2/SceneDiff.h"
#include "tools/scene2/Session.h"

namespace {

const char* ChangeWord(Change change) {
  switch (change) {
    case Change::Added:
      return "added";
    case Change::Removed:
      return "removed";
    case Change::Changed:
      return "changed";
    case Change::Renamed:
      return "renamed";
  }
  return "";
}

// "crate", or "crate" #2 for the second chunk of that name.
std::string NamePlaceText(const std::string& name, int ordinal) {
  return QuotedName(name) + (ordinal > 1 ? " #" + std::to_string(ordinal) : "");
}

// "changed, size 48 -> 50, crc32 ... -> ...", "removed, size 48, crc32 ...",
// "renamed "crate" -> "box", size 48 -> 46, crc32 ... -> ...".
std::string Details(const ChunkDifference& chunk, bool showType) {
  std::string text = ChangeWord(chunk.change);
  if (chunk.change == Change::Renamed)
    text += " " + NamePlaceText(chunk.name, chunk.ordinal) + " -> " + NamePlaceText(chunk.newName, chunk.newOrdinal);
  if (chunk.a && chunk.b) {
    if (showType && chunk.a->type != chunk.b->type)
      text += ", type " + HexUpper(chunk.a->type, 4) + " -> " + HexUpper(chunk.b->type, 4);
    return text + ", size " + std::to_string(chunk.a->size) + " -> " + std::to_string(chunk.b->size) + ", crc32 " +
           Crc32Text(chunk.a->crc) + " -> " + Crc32Text(chunk.b->crc);
  }
  const ChunkFacts& facts = chunk.a ? *chunk.a : *chunk.b;
  return text + ", size " + std::to_string(facts.size) + ", crc32 " + Crc32Text(facts.crc);
}

void WriteLines(std::ostream& out, const SceneDifference& difference) {
  if (difference.rootSizeA != difference.rootSizeB)
    out << "root size: " << difference.rootSizeA << " -> " << difference.rootSizeB << '\n';
  for (const ChunkDifference& head : difference.heads) {
    const ChunkFacts& facts = head.a ? *head.a : *head.b;
    out << "head " << facts.index << " (type " << HexUpper(facts.type, 4) << "): " << Details(head, true) << '\n';
  }
  for (const SectionDifference& section : difference.sections) {
    for (const ChunkDifference& chunk : section.chunks) {
      // A renamed chunk's line names it in its details, by both names.
      out << section.section->word;
      if (chunk.change != Change::Renamed) out << ' ' << NamePlaceText(chunk.name, chunk.ordinal);
      out << ": " << Details(chunk, false) << '\n';
    }
    if (section.orderChanged) out << section.section->word << ": order changed\n";
  }
}

void WriteFacts(JsonWriter& json, const char* key, const std::optional<ChunkFacts>& facts) {
  if (!facts) return;
  json.Key(key);
  json.BeginObject();
  json.Key("index");
  json.Number(facts->index);
  json.Key("type");
  json.String(HexUpper(facts->type, 4));
  json.Key("size");
  json.Number(facts->size);
  json.Key("crc32");
  json.String(Crc32Text(facts->crc));
  json.EndObject();
}

void WriteChunk(JsonWriter& json, const ChunkDifference& chunk, bool named) {
  json.BeginObject();
  json.Key("change");
  json.String(ChangeWord(chunk.change));
  if (named) {
    WriteName(json, chunk.name);
    json.Key("ordinal");
    json.Number(chunk.ordinal);
  }
  if (chunk.change == Change::Renamed) {
    WriteWindows1251(json, "newName", chunk.newName);
    json.Key("newOrdinal");
    json.Number(chunk.newOrdinal);
  }
  WriteFacts(json, "a", chunk.a);
  WriteFacts(json, "b", chunk.b);
  json.EndObject();
}

void WriteJson(std::ostream& out, const SceneDifference& difference) {
  JsonWriter json(out);
  json.BeginObject();
  json.Key("same");
  json.Bool(difference.Same());
  json.Key("rootSize");
  json.BeginObject();
  json.Key("a");
  json.Number(difference.rootSizeA);
  json.Key("b");
  json.Number(difference.rootSizeB);
  json.EndObject();
  json.Key("heads");
  json.BeginArray();
  for (const ChunkDifference& head : difference.heads) WriteChunk(json, head, false);
  json.EndArray();
  json.Key("sections");
  json.BeginArray();
  for (const SectionDifference& section : difference.sections) {
    json.BeginObject();
    json.Key("section");
    json.String(section.section->word);
    json.Key("orderChanged");
    json.Bool(section.orderChanged);
    json.Key("chunks");
    json.BeginArray();
    for (const ChunkDifference& chunk : section.chunks) WriteChunk(json, chunk, true);
    json.EndArray();
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
}

}  // namespace

int RunDiff(Session& session) {
  session.TraceTo(session.Err());
  // As for diff(1), 1 says that the scenes differ: a scene that can't be
  // loaded is trouble, like a usage error.
  std::unique_ptr<SceneDocument> a = session.Load(session.Operand(0));
  if (!a) return kUsage;
  std::unique_ptr<SceneDocument> b = session.Load(session.Operand(1));
  if (!b) return kUsage;
  const SceneDifference difference = DiffScenes(*a, *b);
  b.reset();
  a.reset();
  if (session.Args().json)
    WriteJson(session.Out(), difference);
  else
    WriteLines(session.Out(), difference);
  return difference.Same() ? kSuccess : kFailure;
}

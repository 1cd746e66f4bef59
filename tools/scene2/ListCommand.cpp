// list: one line, or one JSON object, for each chunk of the sections.

#include <set>

#include "scene/ChunkCatalogue.h"
#include "scene/ChunkListing.h"
#include "scene/ChunkTypes.h"
#include "scene/Hex.h"
#include "scene/TextColumns.h"
#include "scene/qScene2bin.h"
#include "tools/scene2/Crc32.h"
#include "tools/scene2/JsonWriter.h"
#include "tools/scene2/Session.h"

namespace {

struct ListedChunk {
  int32_t index;
  uint16_t type;
  std::string typeName;  // empty for chunks without type codes
  std::string name;
  size_t size;
  uint64_t offset;
  uint32_t crc;
};

struct ListedSection {
  const SceneSection* section;
  std::vector<ListedChunk> chunks;
};

// section, index, type, type name, [size, offset, CRC-32,] name.
TextRow CellsOf(const ListedSection& listed, const ListedChunk& chunk, bool longListing) {
  TextRow row = ListingCells(*listed.section, chunk.index, chunk.type, chunk.typeName, chunk.name);
  if (longListing)
    row.insert(row.end() - 1, {std::to_string(chunk.size), std::to_string(chunk.offset), Crc32Text(chunk.crc)});
  return row;
}

std::vector<Align> AlignsOf(bool longListing) {
  // Numbers line up on their last digit.
  if (longListing)
    return {Align::Left, Align::Right, Align::Left, Align::Left, Align::Right, Align::Right, Align::Left, Align::Left};
  return {Align::Left, Align::Right, Align::Left, Align::Left, Align::Left};
}

void WriteLines(std::ostream& out, const std::vector<ListedSection>& sections, bool longListing, OutputKind outKind) {
  const auto eachRow = [&](const auto& take) {
    for (const ListedSection& listed : sections)
      for (const ListedChunk& chunk : listed.chunks) take(CellsOf(listed, chunk, longListing));
  };
  if (outKind == OutputKind::FileOrPipe) {
    eachRow([&](const TextRow& row) { WriteTabbed(out, row); });
    return;
  }
  AlignedColumns columns(AlignsOf(longListing));
  eachRow([&](const TextRow& row) { columns.Measure(row); });
  eachRow([&](const TextRow& row) { columns.Write(out, row); });
}

void WriteJson(std::ostream& out, int32_t rootSize, const std::vector<ListedSection>& sections) {
  JsonWriter json(out);
  json.BeginObject();
  json.Key("rootSize");
  json.Number(rootSize);
  json.Key("sections");
  json.BeginArray();
  for (const ListedSection& listed : sections) {
    json.BeginObject();
    json.Key("section");
    json.String(listed.section->word);
    json.Key("chunks");
    json.BeginArray();
    for (const ListedChunk& chunk : listed.chunks) {
      json.BeginObject();
      json.Key("index");
      json.Number(chunk.index);
      json.Key("type");
      json.String(HexUpper(chunk.type, 4));
      if (!chunk.typeName.empty()) {
        json.Key("typeName");
        json.String(chunk.typeName);
      }
      WriteName(json, chunk.name);
      json.Key("size");
      json.Number(static_cast<int64_t>(chunk.size));
      json.Key("offset");
      json.Number(static_cast<int64_t>(chunk.offset));
      json.Key("crc32");
      json.String(Crc32Text(chunk.crc));
      json.EndObject();
    }
    json.EndArray();
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
}

}  // namespace

int RunList(Session& session) {
  const Arguments& args = session.Args();
  std::set<uint16_t> only;  // section codes; every section when empty
  for (const std::string& word : args.sections) {
    const SceneSection* section = session.SectionOperand(word);
    if (section == nullptr) return kUsage;
    only.insert(section->code);
  }
  const std::string& path = session.Operand(0);
  session.TraceTo(session.Err());
  std::unique_ptr<SceneDocument> document = session.Load(path);
  if (!document) return kFailure;

  // Every chunk of a scene just loaded lies in the file's bytes as read.
  const bool located = args.longListing || args.json;
  std::vector<ListedSection> sections;
  for (const SceneSection& section : kSceneSections) {
    if (!only.empty() && !only.contains(section.code)) continue;
    const ChunkList& list = document->List(section);
    ListedSection& listed = sections.emplace_back(ListedSection{&section, {}});
    for (int32_t index = 0; index < list.Count(); ++index) {
      const ChunkRef loaded = list.Ref(index);
      const ByteView chunk = loaded.chunk.Bytes();
      listed.chunks.push_back({index, GetChunkType(chunk), ItemTypeName(chunk), GetChunkName(chunk), chunk.Length(),
                               located ? loaded.chunk.OffsetInBlock() : 0,
                               located ? Crc32(chunk.Data(), chunk.Length()) : 0});
    }
  }
  const int32_t rootSize = document->FileSize();
  document.reset();
  if (args.json)
    WriteJson(session.Out(), rootSize, sections);
  else
    WriteLines(session.Out(), sections, args.longListing, session.OutKind());
  return kSuccess;
}

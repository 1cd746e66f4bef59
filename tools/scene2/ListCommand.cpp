// list: one line for each chunk of the sections.

#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "scene/Hex.h"
#include "tools/scene2/NameText.h"
#include "tools/scene2/Session.h"

namespace {

struct ListedChunk {
  int32_t index;
  uint16_t type;
  std::string typeName;  // empty for chunks without type codes
  std::string name;
};

struct ListedSection {
  const Section* section;
  std::vector<ListedChunk> chunks;
};

std::string TypeNameOf(TMemoryStream& chunk) {
  switch (GetChunkType(chunk)) {
    case kObjectChunk:
      return ObjectTypeName(GetObjectType(chunk));
    case kDefinitionChunk:
      return DefinitionTypeName(GetDefinitionType(chunk));
    default:
      return "";
  }
}

void WriteLines(std::ostream& out, const std::vector<ListedSection>& sections) {
  for (const ListedSection& listed : sections) {
    for (const ListedChunk& chunk : listed.chunks) {
      out << listed.section->Word() << '\t' << chunk.index << '\t' << HexUpper(chunk.type, 4) << '\t'
          << (chunk.typeName.empty() ? "-" : chunk.typeName) << '\t';
      out << NameText(chunk.name) << '\n';
    }
  }
}

}  // namespace

int RunList(Session& session) {
  const Arguments& args = session.Args();
  const Section* only = nullptr;
  if (args.section && (only = session.SectionOperand(*args.section)) == nullptr) return kUsage;
  const std::string& path = session.Operand(0);
  session.TraceTo(session.Err());
  std::unique_ptr<TqScene2bin> document = session.Load(path);
  if (!document) return kFailure;

  std::vector<ListedSection> sections;
  for (const Section& section : Sections()) {
    if (only != nullptr && section.code != only->code) continue;
    const ChunkList& list = document->SectionListByChunkID(section.itemType);
    ListedSection& listed = sections.emplace_back(ListedSection{&section, {}});
    for (int32_t index = 0; index < list.Count(); ++index) {
      TMemoryStream& chunk = *list.At(index);
      listed.chunks.push_back({index, GetChunkType(chunk), TypeNameOf(chunk), GetChunkName(chunk)});
    }
  }
  document.reset();
  WriteLines(session.Out(), sections);
  return kSuccess;
}

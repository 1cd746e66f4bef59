#include "scene/ChunkListing.h"

#include <sstream>

#include "scene/ChunkCatalogue.h"
#include "scene/Hex.h"
#include "scene/PrintedName.h"
#include "scene/SceneDocument.h"

std::string ItemTypeName(ByteView chunk) {
  switch (GetChunkType(chunk)) {
    case kObjectChunk:
      return ObjectTypeName(GetObjectType(chunk));
    case kDefinitionChunk:
      return DefinitionTypeName(GetDefinitionType(chunk));
    default:
      return "";
  }
}

TextRow ListingCells(const SceneSection& section, int32_t index, uint16_t type, const std::string& typeName,
                     const std::string& name) {
  return {section.word, std::to_string(index), HexUpper(type, 4), typeName.empty() ? "-" : typeName, NameText(name)};
}

std::string ListingText(const SceneDocument& document, std::span<const ChunkId> chunks) {
  std::ostringstream text;
  for (const ChunkId id : chunks) {
    const ChunkRef chunk = document.Get(id);
    if (chunk == nullptr) continue;
    const ByteView bytes = chunk.Bytes();
    const uint16_t type = GetChunkType(bytes);
    const SceneSection& section = *SectionOfItemType(type);
    WriteTabbed(text,
                ListingCells(section, document.List(section).IndexOf(id), type, ItemTypeName(bytes), ChunkName(bytes)));
  }
  return text.str();
}

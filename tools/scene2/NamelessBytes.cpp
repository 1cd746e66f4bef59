#include "tools/scene2/NamelessBytes.h"

#include <algorithm>

#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "tools/scene2/Crc32.h"

namespace {

// Where the name and its frame begin and end in the chunk.
struct NameField {
  size_t begin;
  size_t end;
};

std::optional<NameField> FindNameField(ByteView chunk) {
  const SceneSection* section = SectionOfItemType(GetChunkType(chunk));
  if (section == nullptr) return std::nullopt;
  if (section->NamedBySubChunk()) {
    const std::optional<NameSubChunk> name = FindNameSubChunk(chunk);
    if (!name) return std::nullopt;
    // A name sub-chunk that overruns the chunk ends with it, as its name is
    // read; its header lies within the chunk.
    const size_t left = chunk.Length() - name->offset;
    return NameField{name->offset, name->offset + std::min<size_t>(name->size, left)};
  }
  uint32_t length = 0;
  if (!chunk.ReadU32(section->nameLengthAt, length)) return std::nullopt;
  const size_t text = section->nameLengthAt + 4;
  return NameField{section->nameLengthAt, text + std::min<size_t>(length, chunk.Length() - text)};
}

}  // namespace

bool NamelessBytes::operator==(const NamelessBytes& other) const {
  return SameBytes(type, other.type) && SameBytes(beforeName, other.beforeName) &&
         SameBytes(afterName, other.afterName);
}

uint32_t NamelessBytes::Crc() const {
  uint32_t crc = Crc32(type.Data(), type.Length());
  crc = Crc32(beforeName.Data(), beforeName.Length(), crc);
  return Crc32(afterName.Data(), afterName.Length(), crc);
}

std::optional<NamelessBytes> NamelessBytesOf(ByteView chunk) {
  const std::optional<NameField> name = FindNameField(chunk);
  if (!name) return std::nullopt;
  return NamelessBytes{chunk.Part(0, 2), chunk.Part(kChunkHeaderSize, name->begin - kChunkHeaderSize),
                       chunk.Part(name->end, chunk.Length() - name->end)};
}

#include "sound/SoundWriting.h"

#include <cstring>
#include <stdexcept>

#include "sound/DecreaseRadius.h"
#include "sound/NumberText.h"
#include "scene/ChunkTypes.h"

namespace {

float Single(const std::string& text) { return static_cast<float>(ParseNumber(text)); }

template <size_t N>
void Floats(ChunkWriter& out, uint16_t type, const std::array<float, N>& values) {
  out.Open(type);
  for (float value : values) out.Float(value);
  out.Close();
}

template <size_t N>
std::array<float, N> Singles(const std::array<std::string, N>& texts) {
  std::array<float, N> values{};
  for (size_t i = 0; i < N; ++i) values[i] = Single(texts[i]);
  return values;
}

uint32_t StoredSoundType(int index) { return index >= 0 && index <= 2 ? static_cast<uint32_t>(index + 1) : 0; }

void U32Chunk(ChunkWriter& out, uint16_t type, uint32_t value) {
  out.Open(type);
  out.U32(value);
  out.Close();
}

void TextChunk(ChunkWriter& out, uint16_t type, const std::string& text) {
  out.Open(type);
  out.Text(text);
  out.Close();
}

void WriteSound(ChunkWriter& out, const SoundFields& fields) {
  out.Open(kSoundChunk);
  TextChunk(out, kObjectNameChunk, fields.SoundFile);
  U32Chunk(out, kSoundTypeChunk, StoredSoundType(fields.SoundType));
  Floats(out, kVolumeChunk, std::array{StoredLevel(fields.Volume)});
  U32Chunk(out, kSound4063Chunk, 0);
  Floats(out, kExtraChunk, Singles(fields.Extra));
  const float constRadius = Single(fields.ConstRadius);
  Floats(out, kRadiiChunk,
         std::array{constRadius, DecreaseWidth(fields.DecreaseRadius, constRadius), StoredLevel(fields.MinLevel),
                    StoredLevel(fields.MaxLevel)});
  out.Chunk(kSound4066Chunk, {});
  out.Chunk(kSound4067Chunk, {});
  Floats(out, kSpeedChunk, std::array{Single(fields.Speed)});
  if (!fields.SoundSector.empty()) TextChunk(out, kSoundSectorChunk, fields.SoundSector);
  out.Close();
}

}  // namespace

void WriteSoundObjectBody(ChunkWriter& out, const SoundFields& fields) {
  U32Chunk(out, kObjectTypeChunk, kSoundObjectType);
  out.Chunk(kObjectNameChunk, fields.Name);
  const auto position = Singles(fields.Position);
  Floats(out, kPositionChunk, position);
  Floats(out, kRotationChunk, Singles(fields.Rotation));
  Floats(out, kScaleChunk, Singles(fields.Scale));
  Floats(out, kPositionCopyChunk, position);
  out.Open(kParentChunk);
  TextChunk(out, kObjectNameChunk, fields.ParentSector);
  out.Close();
  WriteSound(out, fields);
}

std::optional<SoundBlock> WriteSoundObject(const SoundFields& fields, const BlockAllocator& allocate) {
  ChunkWriter out;
  try {
    out.Open(kObjectChunk);
    WriteSoundObjectBody(out, fields);
    out.Close();
  } catch (const std::length_error&) {
    return std::nullopt;
  }
  const ByteView chunk = out.Written();
  auto* block = static_cast<uint8_t*>(allocate(chunk.Length()));
  if (block == nullptr) return std::nullopt;
  std::memcpy(block, chunk.Data(), chunk.Length());
  return SoundBlock{block, static_cast<int32_t>(chunk.Length())};
}

bool HandBackSoundObject(const SoundFields& fields, const BlockAllocator& allocate, uint8_t*& chunk, int32_t& size) {
  const auto block = WriteSoundObject(fields, allocate);
  if (!block) return false;
  chunk = block->Data;
  size = block->Size;
  return true;
}

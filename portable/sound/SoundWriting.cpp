#include "sound/SoundWriting.h"

#include <cstring>
#include <stdexcept>

#include "sound/DecreaseRadius.h"
#include "sound/NumberText.h"
#include "scene/KnownValues.h"

namespace {

float Single(const std::string& text) { return static_cast<float>(ParseNumber(text)); }

template <size_t N>
std::array<float, N> Singles(const std::array<std::string, N>& texts) {
  std::array<float, N> values{};
  for (size_t i = 0; i < N; ++i) values[i] = Single(texts[i]);
  return values;
}

uint32_t StoredSoundType(int index) { return index >= 0 && index <= 2 ? static_cast<uint32_t>(index + 1) : 0; }

consteval const KnownSubChunk& InObject(uint16_t type) { return KnownEntry(SubChunkRun::Object, type); }
consteval const KnownSubChunk& InSound(uint16_t type) { return KnownEntry(SubChunkRun::Sound, type); }

// The settings in the order that the plug-in writes them. The table says what
// each value holds; 0x4063, 0x4066 and 0x4067 it does not know, and the
// plug-in writes them as they stand here, whatever it read.
void WriteSound(ChunkWriter& out, const SoundFields& fields) {
  out.Open(kSoundChunk);
  WriteText(out, InSound(kObjectNameChunk), fields.SoundFile);
  WriteCode(out, InSound(kSoundTypeChunk), StoredSoundType(fields.SoundType));
  WriteFloats(out, InSound(kVolumeChunk), std::array{StoredLevel(fields.Volume)});
  out.Chunk(kSound4063Chunk, std::string(4, '\0'));
  WriteFloats(out, InSound(kExtraChunk), Singles(fields.Extra));
  const float constRadius = Single(fields.ConstRadius);
  WriteFloats(out, InSound(kRadiiChunk),
              std::array{constRadius, DecreaseWidth(fields.DecreaseRadius, constRadius), StoredLevel(fields.MinLevel),
                         StoredLevel(fields.MaxLevel)});
  out.Chunk(kSound4066Chunk, {});
  out.Chunk(kSound4067Chunk, {});
  WriteFloats(out, InSound(kSpeedChunk), std::array{Single(fields.Speed)});
  if (!fields.SoundSector.empty()) WriteText(out, InSound(kSoundSectorChunk), fields.SoundSector);
  out.Close();
}

}  // namespace

// The object's own sub-chunks in the order that the plug-in writes them; the
// name goes as it was read, byte for byte, and the parent's name closed by a zero.
void WriteSoundObjectBody(ChunkWriter& out, const SoundFields& fields) {
  WriteCode(out, InObject(kObjectTypeChunk), kSoundObjectType);
  out.Chunk(kObjectNameChunk, fields.Name);
  const auto position = Singles(fields.Position);
  WriteFloats(out, InObject(kPositionChunk), position);
  WriteFloats(out, InObject(kRotationChunk), Singles(fields.Rotation));
  WriteFloats(out, InObject(kScaleChunk), Singles(fields.Scale));
  WriteFloats(out, InObject(kPositionCopyChunk), position);
  out.Open(kParentChunk);
  WriteText(out, KnownEntry(SubChunkRun::Parent, kObjectNameChunk), fields.ParentSector);
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

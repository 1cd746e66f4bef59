#include "plugin/SoundWriting.h"

#include <limits>

#include "plugin/BlockWriter.h"
#include "plugin/DecreaseRadius.h"
#include "plugin/NumberText.h"
#include "plugin/SoundLayout.h"

namespace {

// The parts of the sizes that no text changes. The object's: its header, the
// type, the name's header, position, rotation, scale, the position copy and the
// parent with its name's header and NUL. The sound's: its header, the file's
// header and NUL, and the sub-chunks of fixed length.
constexpr uint64_t kObjectFixed = 111;
constexpr uint64_t kSoundFixed = 101;
constexpr uint64_t kTextFixed = 7;  // a header and the NUL of a text sub-chunk

// The sizes of the sub-chunks whose length follows a text.
struct Sizes {
  uint64_t Object = 0;
  uint64_t Sound = 0;
};

Sizes Measure(const SoundFields& fields) {
  const uint64_t sector = fields.SoundSector.empty() ? 0 : kTextFixed + fields.SoundSector.size();
  Sizes sizes;
  sizes.Sound = kSoundFixed + fields.SoundFile.size() + sector;
  sizes.Object = kObjectFixed + fields.Name.size() + fields.ParentSector.size() + sizes.Sound;
  return sizes;
}

uint32_t TextChunkSize(const std::string& text) { return static_cast<uint32_t>(kTextFixed + text.size()); }

float Single(const std::string& text) { return static_cast<float>(ParseNumber(text)); }

template <size_t N>
void Floats(BlockWriter& out, uint16_t type, const std::array<float, N>& values) {
  out.Header(type, static_cast<uint32_t>(kChunkHeaderSize + 4 * N));
  for (float value : values) out.Float(value);
}

template <size_t N>
std::array<float, N> Singles(const std::array<std::string, N>& texts) {
  std::array<float, N> values{};
  for (size_t i = 0; i < N; ++i) values[i] = Single(texts[i]);
  return values;
}

uint32_t StoredSoundType(int index) { return index >= 0 && index <= 2 ? static_cast<uint32_t>(index + 1) : 0; }

void WriteSound(BlockWriter& out, const SoundFields& fields, uint32_t size) {
  out.Header(kSoundChunk, size);
  out.Header(kObjectNameChunk, TextChunkSize(fields.SoundFile));
  out.Text(fields.SoundFile);
  out.Header(kSoundTypeChunk, 10);
  out.U32(StoredSoundType(fields.SoundType));
  Floats(out, kVolumeChunk, std::array{StoredLevel(fields.Volume)});
  out.Header(kSound4063Chunk, 10);
  out.U32(0);
  Floats(out, kExtraChunk, Singles(fields.Extra));
  const float constRadius = Single(fields.ConstRadius);
  Floats(out, kRadiiChunk,
         std::array{constRadius, DecreaseWidth(fields.DecreaseRadius, constRadius), StoredLevel(fields.MinLevel),
                    StoredLevel(fields.MaxLevel)});
  out.Header(kSound4066Chunk, kChunkHeaderSize);
  out.Header(kSound4067Chunk, kChunkHeaderSize);
  Floats(out, kSpeedChunk, std::array{Single(fields.Speed)});
  if (!fields.SoundSector.empty()) {
    out.Header(kSoundSectorChunk, TextChunkSize(fields.SoundSector));
    out.Text(fields.SoundSector);
  }
}

}  // namespace

std::optional<SoundBlock> WriteSoundObject(const SoundFields& fields, const BlockAllocator& allocate) {
  const Sizes sizes = Measure(fields);
  if (sizes.Object > static_cast<uint64_t>(std::numeric_limits<int32_t>::max())) return std::nullopt;
  auto* block = static_cast<uint8_t*>(allocate(static_cast<size_t>(sizes.Object)));
  if (block == nullptr) return std::nullopt;

  BlockWriter out(block, static_cast<size_t>(sizes.Object));
  out.Header(kObjectChunk, static_cast<uint32_t>(sizes.Object));
  out.Header(kObjectTypeChunk, 10);
  out.U32(kSoundObjectType);
  out.Header(kObjectNameChunk, static_cast<uint32_t>(kChunkHeaderSize + fields.Name.size()));
  out.Bytes(fields.Name);
  const auto position = Singles(fields.Position);
  Floats(out, kPositionChunk, position);
  Floats(out, kRotationChunk, Singles(fields.Rotation));
  Floats(out, kScaleChunk, Singles(fields.Scale));
  Floats(out, kPositionCopyChunk, position);
  out.Header(kParentChunk, kChunkHeaderSize + TextChunkSize(fields.ParentSector));
  out.Header(kObjectNameChunk, TextChunkSize(fields.ParentSector));
  out.Text(fields.ParentSector);
  WriteSound(out, fields, static_cast<uint32_t>(sizes.Sound));
  return SoundBlock{block, static_cast<int32_t>(sizes.Object)};
}

bool HandBackSoundObject(const SoundFields& fields, const BlockAllocator& allocate, uint8_t*& chunk, int32_t& size) {
  const auto block = WriteSoundObject(fields, allocate);
  if (!block) return false;
  chunk = block->Data;
  size = block->Size;
  return true;
}

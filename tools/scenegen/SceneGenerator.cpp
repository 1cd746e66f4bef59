#include "tools/scenegen/SceneGenerator.h"

#include <algorithm>

#include "scene/ChunkTypes.h"
#include "scene/Exception.h"
#include "tools/scenegen/ChunkBuilder.h"
#include "tools/scenegen/Padding.h"
#include "tools/scenegen/SceneItems.h"

namespace {

// Bulk data (mesh, light-map) that objects and definitions carry beside the
// sub-chunks the catalogue reads: where their padding goes.
constexpr uint16_t kObjectBulkChunk = 0x4033;
constexpr uint16_t kDefinitionBulkChunk = 0xAE2B;

struct Section {
  uint16_t code;
  uint32_t SceneOptions::*count;
  void (SceneItems::*build)(ChunkBuilder&, uint32_t);
  uint16_t paddingChunk;  // the sub-chunk that carries the padding; 0: it trails the payload
  PaddingStyle style;
};

// In the order the scene model writes them, so that a loaded file saves back unchanged.
constexpr Section kSections[] = {
    {kObjectsSection, &SceneOptions::objects, &SceneItems::Object, kObjectBulkChunk, PaddingStyle::Binary},
    {kDefinitionsSection, &SceneOptions::definitions, &SceneItems::Definition, kDefinitionBulkChunk,
     PaddingStyle::Binary},
    {kVisualEffectsSection, &SceneOptions::visualEffects, &SceneItems::VisualEffect, 0, PaddingStyle::Binary},
    {kInitScriptsSection, &SceneOptions::initScripts, &SceneItems::InitScript, 0, PaddingStyle::Script},
};

class Generator {
 public:
  Generator(const SceneOptions& options, TStream& out)
      : options_(options), out_(out), random_(options.seed), items_(random_, options.unknownTypes, options.oneName) {
    for (const Section& section : kSections) itemsLeft_ += options.*section.count;
  }

  void Run();

 private:
  // Writes a header whose size is filled in by PatchSize; gives where it starts.
  int64_t OpenChunk(uint16_t type);
  void PatchSize(int64_t start);
  void WriteSection(const Section& section);
  // How many bytes of padding the next item gets, given its own length.
  uint32_t PaddingFor(uint64_t itemLength);
  void Emit(const void* bytes, size_t count);

  const SceneOptions& options_;
  TStream& out_;
  TRandom random_;
  SceneItems items_;
  ChunkBuilder chunk_;
  Padding padding_;
  uint64_t itemsLeft_ = 0;
  uint64_t written_ = 0;
};

void Generator::Run() {
  const int64_t root = OpenChunk(kRootChunk);
  const uint32_t heads = static_cast<uint32_t>(random_.Between(2, 4));
  for (uint32_t serial = 1; serial <= heads; ++serial) {
    chunk_.Reset();
    items_.Head(chunk_, serial);
    Emit(chunk_.Data(), chunk_.Length());
  }
  bool anySection = false;
  for (const Section& section : kSections) {
    if (options_.*section.count == 0) continue;
    WriteSection(section);
    anySection = true;
  }
  // A file needs a section after its head to load; an empty one is what the
  // scene model itself writes for a scene without items.
  if (!anySection) PatchSize(OpenChunk(kObjectsSection));
  PatchSize(root);
}

int64_t Generator::OpenChunk(uint16_t type) {
  const int64_t start = static_cast<int64_t>(written_);
  chunk_.Reset();
  chunk_.Open(type);
  chunk_.CloseAll(0);
  Emit(chunk_.Data(), chunk_.Length());
  return start;
}

void Generator::PatchSize(int64_t start) {
  out_.Seek(start + 2, TStream::Origin::Begin);
  out_.WriteU32(static_cast<uint32_t>(written_ - static_cast<uint64_t>(start)));
  out_.Seek(static_cast<int64_t>(written_), TStream::Origin::Begin);
}

void Generator::WriteSection(const Section& section) {
  const int64_t start = OpenChunk(section.code);
  for (uint32_t serial = 1; serial <= options_.*section.count; ++serial) {
    chunk_.Reset();
    (items_.*section.build)(chunk_, serial);
    uint32_t padding = PaddingFor(chunk_.Length());
    if (section.paddingChunk != 0) {
      if (padding >= kChunkHeaderSize) {
        chunk_.Open(section.paddingChunk);
        padding -= kChunkHeaderSize;
      } else {
        padding = 0;
      }
    }
    chunk_.CloseAll(padding);
    Emit(chunk_.Data(), chunk_.Length());
    padding_.Write(out_, random_, padding, section.style);
    written_ += padding;
    --itemsLeft_;
    if (written_ > kMaxSceneBytes)
      throw Exception(Exception::Code::Invalid, "the scene grew past " + std::to_string(kMaxSceneBytes) +
                                                    " bytes, the most a scene file can hold");
  }
  PatchSize(start);
}

uint32_t Generator::PaddingFor(uint64_t itemLength) {
  const uint64_t target = options_.targetBytes;
  if (written_ + itemLength >= target) return 0;
  // Every item left aims at an equal share of what is missing; the shares are
  // worked out again for each item, so the jitter evens out by the end.
  const uint64_t room = target - written_ - itemLength;
  const uint64_t share = (target - written_) / itemsLeft_;
  if (share <= itemLength) return 0;
  const uint64_t wanted = share - itemLength;
  const uint64_t jittered = wanted / 2 + random_.Below(wanted + 1);
  return static_cast<uint32_t>(std::min(jittered, room));
}

void Generator::Emit(const void* bytes, size_t count) {
  out_.Write(bytes, count);
  written_ += count;
}

}  // namespace

void GenerateScene(const SceneOptions& options, TStream& out) {
  out.Seek(0, TStream::Origin::Begin);
  Generator(options, out).Run();
}

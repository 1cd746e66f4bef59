#include "tools/scenegen/SceneGenerator.h"

#include <algorithm>

#include "scene/ChunkTypes.h"
#include "scene/Exception.h"
#include "scene/ChunkWriter.h"
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
  void (SceneItems::*build)(ChunkWriter&, uint32_t);
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
  void WriteSection(const Section& section);
  // How many bytes of padding the item written after `written` bytes gets, given its own length.
  uint32_t PaddingFor(uint64_t written, uint64_t itemLength);

  const SceneOptions& options_;
  ChunkWriter out_;
  TRandom random_;
  SceneItems items_;
  Padding padding_;
  uint64_t itemsLeft_ = 0;
};

void Generator::Run() {
  out_.Open(kRootChunk);
  const uint32_t heads = static_cast<uint32_t>(random_.Between(2, 4));
  for (uint32_t serial = 1; serial <= heads; ++serial) items_.Head(out_, serial);
  bool anySection = false;
  for (const Section& section : kSections) {
    if (options_.*section.count == 0) continue;
    WriteSection(section);
    anySection = true;
  }
  // A file needs a section after its head to load; an empty one is what the
  // scene model itself writes for a scene without items.
  if (!anySection) out_.Chunk(kObjectsSection, {});
  out_.Close();
  out_.Flush();
}

void Generator::WriteSection(const Section& section) {
  out_.Open(section.code);
  for (uint32_t serial = 1; serial <= options_.*section.count; ++serial) {
    const uint64_t start = out_.Position();
    (items_.*section.build)(out_, serial);
    uint32_t padding = PaddingFor(start, out_.Position() - start);
    const bool inChunk = section.paddingChunk != 0 && padding >= kChunkHeaderSize;
    if (inChunk) {
      out_.Open(section.paddingChunk);
      padding -= kChunkHeaderSize;
    } else if (section.paddingChunk != 0) {
      padding = 0;
    }
    padding_.Write(out_, random_, padding, section.style);
    if (inChunk) out_.Close();
    out_.Close();
    --itemsLeft_;
    if (out_.Position() > kMaxSceneBytes)
      throw Exception(Exception::Code::Invalid, "the scene grew past " + std::to_string(kMaxSceneBytes) +
                                                    " bytes, the most a scene file can hold");
  }
  out_.Close();
}

uint32_t Generator::PaddingFor(uint64_t written, uint64_t itemLength) {
  const uint64_t target = options_.targetBytes;
  if (written + itemLength >= target) return 0;
  // Every item left aims at an equal share of what is missing; the shares are
  // worked out again for each item, so the jitter evens out by the end.
  const uint64_t room = target - written - itemLength;
  const uint64_t share = (target - written) / itemsLeft_;
  if (share <= itemLength) return 0;
  const uint64_t wanted = share - itemLength;
  const uint64_t jittered = wanted / 2 + random_.Below(wanted + 1);
  return static_cast<uint32_t>(std::min(jittered, room));
}

}  // namespace

void GenerateScene(const SceneOptions& options, TStream& out) {
  out.Seek(0, TStream::Origin::Begin);
  Generator(options, out).Run();
}

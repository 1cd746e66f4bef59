#include "editor/ObjectFolderSlot.h"

#include <algorithm>
#include <iterator>

#include "scene/ChunkCatalogue.h"

namespace {

constexpr uint32_t kKnownObjectTypes[kObjectFolderCount] = {
    0, 2, 3, 4, 6, 9, 12, 14, kLightmapObjectType, 0x52544353 /* "SCTR" */, 0x534E454C /* "LENS" */,
};

}  // namespace

int ObjectFolderSlot(uint32_t code) {
  const auto* found = std::find(std::begin(kKnownObjectTypes), std::end(kKnownObjectTypes), code);
  return found == std::end(kKnownObjectTypes) ? -1 : static_cast<int>(found - std::begin(kKnownObjectTypes));
}

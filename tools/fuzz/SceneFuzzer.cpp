// libFuzzer's entry: the input is a scene2.bin. It is loaded, the catalogue is
// asked about every chunk and the chunk's structure is described, each fenced
// off from the rest of the loaded block, the scene is saved and reloaded, then
// edited (which edits, the input says), its edits undone and redone, saved and
// reloaded again. Everything stays in memory. scene2 check walks it too, and
// must find a problem that fails a load exactly when the load failed; scene2
// diff compares the scene as read with itself and with the scene as edited.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string_view>

#include "scene/ByteBlock.h"
#include "scene/qScene2bin.h"
#include "tools/fuzz/CatalogueWalk.h"
#include "tools/fuzz/Require.h"
#include "tools/fuzz/RoundTrip.h"
#include "tools/fuzz/SceneEdits.h"
#include "tools/fuzz/ScriptedUi.h"
#include "tools/scene2/SceneCheck.h"
#include "tools/scene2/SceneDiff.h"

namespace {

// Only a scene that loaded whole promises a save that loads again; what a
// failed load leaves must still save without a fault.
void Save(const SceneDocument& scene, bool loaded) {
  if (loaded) {
    RequireStableRoundTrip(scene);
    return;
  }
  SavedBytes(scene);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  DropTrace();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::ostringstream messages;
  ScriptedUi ui(messages);
  const auto scene2bin = NewScene2bin(ui);
  SceneDocument& scene = scene2bin->Core();
  const ByteView input(data, size);
  std::unique_ptr<ByteBlock> block = BlockCopiedFrom(input);
  const os::ByteRun loadedBytes{block->Data(), block->Size()};
  const bool loaded = scene.Load(std::move(block)).ok();
  const std::vector<Problem> problems = CheckScene(input);
  Require(std::any_of(problems.begin(), problems.end(), [](const Problem& problem) { return problem.failsLoad; }) ==
              !loaded,
          "check and the load disagree on whether the file loads");

  for (const ChunkList* list :
       {&scene.Heads(), &scene.Objects(), &scene.Definitions(), &scene.InitScripts(), &scene.VisualEffects()})
    WalkCatalogue(*list, loadedBytes);
  Save(scene, loaded);

  EditUndoRedo(*scene2bin, ui, std::string_view(reinterpret_cast<const char*>(data), size), loaded);
  Save(scene, loaded);

  // scene2 diff of the file as read against itself finds nothing; against
  // the scene as edited (renames among the edits) it reads every chunk.
  SceneDocument original;
  Require(original.Load(BlockCopiedFrom(input)).ok() == loaded, "a second load of the same bytes ends otherwise");
  Require(DiffScenes(original, original).Same(), "diff finds a scene other than itself");
  DiffScenes(original, scene);
  return 0;
}

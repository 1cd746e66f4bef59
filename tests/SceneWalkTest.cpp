// The one walk of a scene's layout, for a load and for check: over malformed
// scenes, a load fails exactly when check finds a problem that fails one,
// and at the first such problem.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "scene/ChunkTypes.h"
#include "scene/LoadFailure.h"
#include "scene/SceneWalk.h"
#include "tests/SceneTestSupport.h"

namespace {

std::vector<LayoutProblem> ProblemsOf(const Bytes& file, WalkUntil until) {
  struct Problems final : SceneWalkSink {
    void Problem(const LayoutProblem& problem) override { found.push_back(problem); }
    std::vector<LayoutProblem> found;
  } problems;
  WalkScene(ByteView(file.data(), file.size()), file.size(), problems, until);
  return problems.found;
}

bool Same(const LayoutProblem& a, const LayoutProblem& b) {
  return a.fault == b.fault && a.offset == b.offset && a.type == b.type && a.size == b.size && a.count == b.count &&
         a.at == b.at && a.bound == b.bound;
}

void ExpectLoadStopsWhereCheckFindsItFails(const Bytes& file) {
  const std::vector<LayoutProblem> checked = ProblemsOf(file, WalkUntil::End);
  const auto first = std::find_if(checked.begin(), checked.end(),
                                  [](const LayoutProblem& problem) { return FailsLoad(problem.fault); });
  const TracedLoad load([&file](SceneDocument& document) { return document.Load(*StreamOf(file)).ok(); });
  ASSERT_EQ(load.loaded, first == checked.end());
  if (load.loaded) return;
  // The load's walk meets what check met up to there, and stops.
  const std::vector<LayoutProblem> met = ProblemsOf(file, WalkUntil::LoadFailure);
  EXPECT_TRUE(std::equal(met.begin(), met.end(), checked.begin(), std::next(first), Same));
  // The document's load tells that very problem.
  const std::string message = LoadFailure(*first).Message;
  const std::string told =
      first->fault == LayoutFault::BytesAfterRoot ? "qScene2bin.ReadFromFile: " + message : message;
  EXPECT_NE(std::find(load.lines.begin(), load.lines.end(), told), load.lines.end()) << told;
}

TEST(SceneWalk, LoadFailsAtTheFirstProblemCheckFindsThatFailsOne) {
  const Bytes scene = SceneFile({ChunkOf(1, {}), ChunkOf(kObjectsSection, Concat({ObjectChunk("crate", 9)})),
                                 ChunkOf(kDefinitionsSection, DefinitionChunk("door", 6)),
                                 ChunkOf(kInitScriptsSection, InitScriptChunk("go")),
                                 ChunkOf(kVisualEffectsSection, VisualEffectChunk("fog"))});
  // Every length cut, and every bit flipped.
  for (size_t at = 0; at < scene.size(); ++at) {
    SCOPED_TRACE("at " + std::to_string(at));
    ExpectLoadStopsWhereCheckFindsItFails(Bytes(scene.begin(), scene.begin() + static_cast<long>(at)));
    for (int bit = 0; bit < 8; ++bit) {
      Bytes flipped = scene;
      flipped[at] = static_cast<uint8_t>(flipped[at] ^ (1u << bit));
      SCOPED_TRACE("bit " + std::to_string(bit));
      ExpectLoadStopsWhereCheckFindsItFails(flipped);
    }
  }
  // A root size 2 bytes past the file, whose last byte alone stands where a
  // section's code would begin.
  Bytes lone = Concat({scene, Bytes{0x40}});
  lone[2] = static_cast<uint8_t>(lone.size() + 2);
  ExpectLoadStopsWhereCheckFindsItFails(lone);
}

TEST(SceneWalk, LoadFailsAtTheFirstProblemCheckFindsThatFailsOneInTheFuzzCorpus) {
  size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(SCENE_CORPUS_DIR)) {
    SCOPED_TRACE(entry.path().filename().string());
    std::ifstream in(entry.path(), std::ios::binary);
    ExpectLoadStopsWhereCheckFindsItFails(Bytes(std::istreambuf_iterator<char>(in), {}));
    ++files;
  }
  EXPECT_GT(files, 0u);
}

}  // namespace

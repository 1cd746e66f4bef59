#include "tools/bench/HistoryMeasure.h"

#include <malloc.h>

#include <cstdio>
#include <stdexcept>
#include <vector>

#include "scene/SceneDocument.h"
#include "tools/bench/Target.h"
#include "tools/bench/Timing.h"

namespace {

constexpr Target kUndoTarget{500, true};         // ms
constexpr Target kRedoTarget{500, true};         // ms
constexpr Target kHistoryBytesTarget{64, true};  // per chunk deleted

// Bytes the heap has given out and not had back. glibc serves large blocks
// as mappings of their own, which uordblks leaves out, so those count too.
double HeapInUse() {
  const struct mallinfo2 heap = mallinfo2();
  return static_cast<double>(heap.uordblks + heap.hblkhd);
}

std::vector<const ChunkList*> Sections(const SceneDocument& document) {
  return {&document.Objects(), &document.Definitions(), &document.InitScripts(), &document.VisualEffects()};
}

size_t SectionChunks(const SceneDocument& document) {
  size_t count = 0;
  for (const ChunkList* list : Sections(document)) count += static_cast<size_t>(list->Count());
  return count;
}

std::vector<ChunkId> SectionIds(const SceneDocument& document) {
  std::vector<ChunkId> ids;
  ids.reserve(SectionChunks(document));
  for (const ChunkList* list : Sections(document))
    for (const ChunkEntry& entry : list->Entries()) ids.push_back(entry.id);
  return ids;
}

void Expect(bool holds, const std::string& failure) {
  if (!holds) throw std::runtime_error(failure);
}

void PrintMeasure(const char* name, double median, const char* unit, const Target& target) {
  std::printf("  %-34s %10.1f %-6s target %s %.0f %s  %s\n", name, median, unit, target.Relation(), target.bound, unit,
              Verdict(target.Met(median)));
}

}  // namespace

void MeasureHistory(const std::string& path, int runs) {
  std::vector<double> deletes, undos, redos, bytesPerChunk;
  size_t chunks = 0;
  for (int run = 0; run < runs; ++run) {
    SceneDocument document;
    Expect(document.Load(path).ok(), "the scene model cannot load " + path);
    const std::vector<ChunkId> ids = SectionIds(document);
    // Measured after the identities are gathered: only what the edit keeps counts.
    const double heapBefore = HeapInUse();
    Stopwatch deleteClock;
    chunks = document.DeleteChunks(ids);
    deletes.push_back(deleteClock.Milliseconds());
    bytesPerChunk.push_back((HeapInUse() - heapBefore) / static_cast<double>(chunks));
    Expect(chunks == ids.size() && SectionChunks(document) == 0, "DeleteChunks left chunks of " + path);

    Stopwatch undoClock;
    const bool undone = document.Undo();
    undos.push_back(undoClock.Milliseconds());
    Expect(undone && SectionChunks(document) == chunks, "Undo did not bring back the chunks of " + path);

    Stopwatch redoClock;
    const bool redone = document.Redo();
    redos.push_back(redoClock.Milliseconds());
    Expect(redone && SectionChunks(document) == 0, "Redo did not delete the chunks of " + path + " again");
  }
  std::printf("\nHistory, in one process (medians of %d runs): DeleteChunks of all %zu chunks of the four sections\n",
              runs, chunks);
  std::printf("as one edit, then Undo, then Redo\n");
  std::printf("  %-34s %10.1f ms\n", "delete", Summarise(deletes).median);
  PrintMeasure("undo", Summarise(undos).median, "ms", kUndoTarget);
  PrintMeasure("redo", Summarise(redos).median, "ms", kRedoTarget);
  PrintMeasure("history's heap per chunk deleted", Summarise(bytesPerChunk).median, "bytes", kHistoryBytesTarget);
}

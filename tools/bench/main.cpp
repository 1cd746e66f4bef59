// scene_io_bench: how fast scene2 loads and saves a scene2.bin next to the
// plain tools that read and copy the same file, how much memory a load takes,
// how the scene model's load, save and clear grow with the number of chunks,
// and what undoing and redoing the deletion of a whole scene costs.

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "scene/SceneDocument.h"
#include "scene/Trace.h"
#include "tools/bench/HistoryMeasure.h"
#include "tools/bench/MachineState.h"
#include "tools/bench/PlainFiles.h"
#include "tools/bench/PlainRead.h"
#include "tools/bench/Processes.h"
#include "tools/bench/Target.h"
#include "tools/bench/Timing.h"

namespace {

constexpr int kDefaultRuns = 5;
constexpr Target kTraceReadTarget{1.2, false};  // times a plain read of the file into a fresh buffer
constexpr Target kTraceCatTarget{2.0, true};    // times cat
constexpr Target kSaveTarget{1.2, false};       // times cp and mv, which promise what a save does
// A set of every object's position, load and save included, times a save.
constexpr Target kSetTarget{2.0, false};
// Check and export of a scene whose every object has one name, times list
// --json of it: numbering the repeats costs next to nothing.
constexpr Target kRepeatedNamesTarget{1.5, false};
constexpr double kMemoryFactor = 1.1;
constexpr double kMemorySlack = 16.0 * 1024 * 1024;
// Cost per chunk from one size to the next: more than this is not linear,
// with room for the noise of a shared machine.
constexpr Target kGrowthTarget{1.5, false};
constexpr double kMiB = 1024.0 * 1024.0;

const char kUsage[] =
    "usage: scene_io_bench [--runs N] [--save-in DIR] [--one-name ONE] SCENE2 FILE [FILE...]\n"
    "       scene_io_bench --plain-read FILE\n"
    "       scene_io_bench --read FILE\n"
    "       scene_io_bench --copy FILE COPY\n"
    "       scene_io_bench --files FOLDER COUNT BYTES\n"
    "Runs `cat FILE`, `scene_io_bench --plain-read FILE` (which reads FILE with\n"
    "read() on one thread into a fresh buffer, huge pages asked for, and exits),\n"
    "`scene_io_bench --read FILE` (which reads FILE into memory of its own as a\n"
    "load does, and exits) and `SCENE2 trace FILE`, then\n"
    "`cp FILE COPY`, `cp FILE TMP && mv TMP COPY`, `scene_io_bench --copy FILE\n"
    "COPY` (which reads FILE as --read does, writes it beside COPY and renames it\n"
    "to COPY: the least a save from memory of its own costs) and `SCENE2 save\n"
    "FILE COPY`, as whole processes on the first FILE, N times each (default 5),\n"
    "each group in turn, and gives their medians, their ratios against the\n"
    "targets (trace <= 1.2 x the plain read and < 2 x cat, save <= 1.2 x cp and\n"
    "mv, `SCENE2 set FILE COPY objects * position+=1,0,0` <= 2 x save) and the\n"
    "peak memory of a load (<= 1.1 x FILE + 16 MiB); the copies go\n"
    "beside FILE. Every FILE is read into the page cache afresh, as a read\n"
    "brings it in, and every writer starts with the system's dirty pages written\n"
    "back. Then times the scene model's load, save and clear of every FILE in\n"
    "this process, with the cost per chunk, which should grow no more than 1.5\n"
    "times from one size to the next, the CPU caches emptied and three times the\n"
    "FILE's size of memory taken and given back before each (a virtual machine\n"
    "may hand freed memory back to its host, and taking it again costs more than\n"
    "the work measured); these saves go into DIR (default: beside FILE), which a\n"
    "RAM-backed folder keeps free of the disk's pace. Last, on the first FILE,\n"
    "deletes every chunk of the four sections as one edit, undoes and redoes\n"
    "it: each < 500 ms, the history's heap < 64 bytes per chunk deleted.\n"
    "With ONE, a scene whose every object has one name, runs `SCENE2 list --json\n"
    "ONE`, `SCENE2 check ONE`, `SCENE2 export ONE DIR` and `scene_io_bench --files\n"
    "DIR COUNT BYTES` (which writes as many files of the objects' mean length as\n"
    "an export writes each, and nothing else: the floor under the export) as\n"
    "whole processes, N times each: check and export each <= 1.5 x list --json.\n"
    "Removes every copy and file it writes.\n";
// A load's own memory and its save's copy in a RAM-backed folder, with room
// to spare: what a scene's measures in this process take.
constexpr uint64_t kWarmFactor = 3;
// Larger than any CPU cache here: writing it all empties them.
constexpr size_t kCacheFlushBytes = size_t{1} << 30;

// 1 to 999 runs; 0 for anything else.
int ParseRuns(const std::string& text) {
  if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos) return 0;
  return std::stoi(text);
}

void PrintRow(const char* name, const Timing& timing) {
  std::printf("  %-34s %10.1f %10.1f\n", name, timing.best, timing.median);
}

// Prints the ratios of the best and of the median runs; gives the median's.
double PrintRatios(const char* name, const Timing& measured, const Timing& base) {
  const double median = measured.median / base.median;
  std::printf("  %-34s %10.2f %10.2f", name, measured.best / base.best, median);
  return median;
}

void PrintReference(const char* name, const Timing& measured, const Timing& base) {
  PrintRatios(name, measured, base);
  std::printf("   for reference\n");
}

void PrintRatio(const char* name, const Timing& measured, const Timing& base, const Target& target) {
  const double median = PrintRatios(name, measured, base);
  std::printf("   target %s %.1f (median)  %s\n", target.Relation(), target.bound, Verdict(target.Met(median)));
}

// Whole processes as a user runs them, each group in turn so that the
// machine's changing load falls on all alike. Every writer makes a new file
// each run: replacing one would add the cost of freeing the old one, which the
// file system charges unevenly.
void CompareProcesses(const std::string& scene2, const std::string& path, int runs) {
  const std::string self = OwnExecutable();
  const std::string copy = path + ".bench-copy";
  const std::string temporary = path + ".bench-tmp";
  std::vector<double> cat, plainRead, loadRead, trace, cp, cpMv, plainCopy, save, set;
  double peak = 0;
  for (int run = 0; run < runs; ++run) {
    cat.push_back(RunProcess({"cat", path}).milliseconds);
    plainRead.push_back(RunProcess({self, "--plain-read", path}).milliseconds);
    loadRead.push_back(RunProcess({self, "--read", path}).milliseconds);
    const ProcessRun load = RunProcess({scene2, "trace", path});
    trace.push_back(load.milliseconds);
    peak = std::max(peak, static_cast<double>(load.peakBytes));
    std::remove(copy.c_str());
    SettleWrites();
    cp.push_back(RunProcess({"cp", path, copy}).milliseconds);
    std::remove(copy.c_str());
    SettleWrites();
    // The two processes alone, without a shell's start between them.
    cpMv.push_back(RunProcess({"cp", path, temporary}).milliseconds + RunProcess({"mv", temporary, copy}).milliseconds);
    std::remove(copy.c_str());
    SettleWrites();
    plainCopy.push_back(RunProcess({self, "--copy", path, copy}).milliseconds);
    std::remove(copy.c_str());
    SettleWrites();
    save.push_back(RunProcess({scene2, "save", path, copy}).milliseconds);
    std::remove(copy.c_str());
    SettleWrites();
    set.push_back(RunProcess({scene2, "-q", "set", path, copy, "objects", "*", "position+=1,0,0"}).milliseconds);
    std::remove(copy.c_str());
  }

  const auto size = static_cast<double>(std::filesystem::file_size(path));

  std::printf("%s: %.0f bytes (%.1f MiB); %d runs each, the file in the page cache as a read brings it in\n",
              path.c_str(), size, size / kMiB, runs);
  std::printf("\nWhole processes:                       best ms  median ms\n");
  const Timing catTiming = Summarise(cat), plainReadTiming = Summarise(plainRead), readTiming = Summarise(loadRead),
               traceTiming = Summarise(trace);
  const Timing cpTiming = Summarise(cp), cpMvTiming = Summarise(cpMv), plainCopyTiming = Summarise(plainCopy),
               saveTiming = Summarise(save), setTiming = Summarise(set);
  PrintRow("cat FILE >/dev/null", catTiming);
  PrintRow("plain read (--plain-read)", plainReadTiming);
  PrintRow("read as a load does (--read)", readTiming);
  PrintRow("scene2 trace FILE >/dev/null", traceTiming);
  PrintRow("cp FILE COPY", cpTiming);
  PrintRow("cp FILE TMP && mv TMP COPY", cpMvTiming);
  PrintRow("read, write and rename (--copy)", plainCopyTiming);
  PrintRow("scene2 save FILE COPY", saveTiming);
  PrintRow("scene2 set FILE COPY objects *", setTiming);
  PrintRatio("trace / plain read", traceTiming, plainReadTiming, kTraceReadTarget);
  PrintReference("trace / --read", traceTiming, readTiming);
  PrintRatio("trace / cat", traceTiming, catTiming, kTraceCatTarget);
  PrintRatio("save / (cp && mv)", saveTiming, cpMvTiming, kSaveTarget);
  PrintReference("save / cp", saveTiming, cpTiming);
  PrintReference("save / --copy", saveTiming, plainCopyTiming);
  PrintRatio("set position of every object / save", setTiming, saveTiming, kSetTarget);
  const double limit = kMemoryFactor * size + kMemorySlack;
  std::printf("\nPeak memory of scene2 trace (a load): %.1f MiB = %.3f x file size\n", peak / kMiB, peak / size);
  std::printf("  target <= %.1f x file size + %.0f MiB = %.1f MiB  %s\n", kMemoryFactor, kMemorySlack / kMiB,
              limit / kMiB, Verdict(peak <= limit));
}

// A scene whose every object has one name: an export numbers every file but
// the first, and check does as an export of the whole scene would. The
// export's files go into `folder`, afresh each run.
void CompareRepeatedNames(const std::string& scene2, const std::string& path, const std::string& folder, int runs) {
  SceneDocument document;
  if (!document.Load(path).ok()) throw std::runtime_error("the scene model cannot load " + path);
  const uint64_t objects = static_cast<uint64_t>(document.Objects().Count());
  uint64_t bytes = 0;
  for (const ChunkEntry& entry : document.Objects().Entries()) bytes += entry.chunk.Length();
  document.clear();
  if (objects == 0) throw std::runtime_error(path + " holds no object");
  const std::string self = OwnExecutable();
  const std::string exported = folder + "/bench-export." + std::to_string(getpid());
  std::vector<double> list, check, dncExport, files;
  for (int run = 0; run < runs; ++run) {
    list.push_back(RunProcess({scene2, "-q", "list", "--json", path}).milliseconds);
    check.push_back(RunProcess({scene2, "-q", "check", path}, 1).milliseconds);
    SettleWrites();
    dncExport.push_back(RunProcess({scene2, "-q", "export", path, exported}).milliseconds);
    std::filesystem::remove_all(exported);
    SettleWrites();
    files.push_back(
        RunProcess({self, "--files", exported, std::to_string(objects), std::to_string(bytes / objects)}).milliseconds);
    std::filesystem::remove_all(exported);
  }
  std::printf("\n%s: %llu objects of one name; %d runs each, the export's files in %s\n", path.c_str(),
              static_cast<unsigned long long>(objects), runs, folder.c_str());
  std::printf("                                        best ms  median ms\n");
  const Timing listTiming = Summarise(list), checkTiming = Summarise(check), exportTiming = Summarise(dncExport),
               filesTiming = Summarise(files);
  PrintRow("scene2 list --json FILE", listTiming);
  PrintRow("scene2 check FILE", checkTiming);
  PrintRow("scene2 export FILE DIR", exportTiming);
  PrintRow("as many files alone (--files)", filesTiming);
  PrintRatio("check / list --json", checkTiming, listTiming, kRepeatedNamesTarget);
  PrintRatio("export / list --json", exportTiming, listTiming, kRepeatedNamesTarget);
  PrintReference("export / files alone", exportTiming, filesTiming);
}

// A small scene fits in the CPU caches after one run, a large one never:
// each run starts with them empty, so that sizes compare by their own work.
void EmptyCaches() {
  static std::vector<uint8_t> filler(kCacheFlushBytes);
  for (size_t i = 0; i < filler.size(); i += 64) ++filler[i];
}

struct SizeSamples {
  int64_t chunks = 0;
  std::vector<double> loads, saves, clears;
};

void TimeInProcess(const std::string& path, const std::string& copy, SizeSamples& samples) {
  SceneDocument document;
  EmptyCaches();
  Stopwatch loadClock;
  const bool loaded = document.Load(path).ok();
  samples.loads.push_back(loadClock.Milliseconds());
  if (!loaded) throw std::runtime_error("the scene model cannot load " + path);
  samples.chunks = document.Heads().Count() + document.Objects().Count() + document.Definitions().Count() +
                   document.VisualEffects().Count() + document.InitScripts().Count();
  std::remove(copy.c_str());
  EmptyCaches();
  Stopwatch saveClock;
  const bool saved = document.Save(copy).ok();
  samples.saves.push_back(saveClock.Milliseconds());
  std::remove(copy.c_str());
  if (!saved) throw std::runtime_error("the scene model cannot save " + copy);
  Stopwatch clearClock;
  document.clear();
  samples.clears.push_back(clearClock.Milliseconds());
}

struct SizeTiming {
  int64_t chunks;
  Timing load, save, clear;
};

double NanosecondsPerChunk(const Timing& timing, int64_t chunks) {
  return timing.median * 1e6 / static_cast<double>(chunks);
}

void PrintGrowth(const char* what, const std::vector<SizeTiming>& sizes, Timing SizeTiming::*step) {
  for (size_t i = 1; i < sizes.size(); ++i) {
    const double growth = NanosecondsPerChunk(sizes[i].*step, sizes[i].chunks) /
                          NanosecondsPerChunk(sizes[i - 1].*step, sizes[i - 1].chunks);
    std::printf("  %-5s per chunk from %9lld to %9lld chunks: x %.2f   target %s %.1f  %s\n", what,
                static_cast<long long>(sizes[i - 1].chunks), static_cast<long long>(sizes[i].chunks), growth,
                kGrowthTarget.Relation(), kGrowthTarget.bound, Verdict(kGrowthTarget.Met(growth)));
  }
}

// The sizes in turn, run after run, so that the machine's changing load falls
// on all alike.
void CompareSizes(const std::vector<std::string>& paths, const std::string& saveFolder, int runs) {
  std::vector<SizeSamples> samples(paths.size());
  for (int run = 0; run < runs; ++run)
    for (size_t i = 0; i < paths.size(); ++i) {
      const std::string name = paths[i].substr(paths[i].find_last_of('/') + 1);
      // Named for this process: another run may share the folder.
      const std::string copy =
          (saveFolder.empty() ? paths[i] : saveFolder + "/" + name) + "." + std::to_string(getpid()) + ".bench-save";
      WarmMemory(kWarmFactor * std::filesystem::file_size(paths[i]));
      TimeInProcess(paths[i], copy, samples[i]);
    }
  std::vector<SizeTiming> sizes;
  for (const SizeSamples& size : samples)
    sizes.push_back({size.chunks, Summarise(size.loads), Summarise(size.saves), Summarise(size.clears)});
  std::sort(sizes.begin(), sizes.end(), [](const SizeTiming& a, const SizeTiming& b) { return a.chunks < b.chunks; });
  std::printf("\nIn one process (medians of %d runs, CPU caches emptied before each): load is SceneDocument::Load,\n",
              runs);
  std::printf("save SceneDocument::Save to a new file %s\n",
              saveFolder.empty() ? "beside the scene" : ("in " + saveFolder).c_str());
  std::printf("  %10s %10s %10s %10s %10s %10s %10s\n", "chunks", "load ms", "ns/chunk", "save ms", "ns/chunk",
              "clear ms", "ns/chunk");
  for (const SizeTiming& size : sizes)
    std::printf("  %10lld %10.1f %10.1f %10.1f %10.1f %10.2f %10.2f\n", static_cast<long long>(size.chunks),
                size.load.median, NanosecondsPerChunk(size.load, size.chunks), size.save.median,
                NanosecondsPerChunk(size.save, size.chunks), size.clear.median,
                NanosecondsPerChunk(size.clear, size.chunks));
  PrintGrowth("load", sizes, &SizeTiming::load);
  PrintGrowth("save", sizes, &SizeTiming::save);
  PrintGrowth("clear", sizes, &SizeTiming::clear);
}

}  // namespace

namespace {

// A mode's exit status: 0 when it did its work, 1 after saying why not.
int ModeStatus(bool done, const std::string& what, const std::string& reason) {
  if (done) return 0;
  std::cerr << "scene_io_bench: cannot " << what << ": " << reason << '\n';
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  // Modes that the whole-process measures start this program in.
  if (args.size() == 2 && (args[0] == "--plain-read" || args[0] == "--read")) {
    std::string reason;
    const bool done = args[0] == "--read" ? ReadWholeFile(args[1], reason) : PlainReadWholeFile(args[1], reason);
    return ModeStatus(done, "read " + args[1], reason);
  }
  if (args.size() == 4 && args[0] == "--files") {
    std::string reason;
    const bool done = WriteFilesSafely(args[1], std::stoull(args[2]), std::stoull(args[3]), reason);
    return ModeStatus(done, "write files into " + args[1], reason);
  }
  if (args.size() == 3 && args[0] == "--copy") {
    std::string reason;
    const bool done = CopyThroughMemory(args[1], args[2], reason);
    return ModeStatus(done, "copy " + args[1] + " to " + args[2], reason);
  }
  try {
    int runs = kDefaultRuns;
    std::string saveFolder;
    std::string oneName;
    while (args.size() >= 2 && (args[0] == "--runs" || args[0] == "--save-in" || args[0] == "--one-name")) {
      if (args[0] == "--runs")
        runs = ParseRuns(args[1]);
      else
        (args[0] == "--save-in" ? saveFolder : oneName) = args[1];
      args.erase(args.begin(), args.begin() + 2);
    }
    if (args.size() >= 2 && runs > 0 && !args[0].starts_with("-")) {
      // No sink: the trace would cost more than the load itself.
      SetTraceSink(nullptr);
      for (size_t i = 1; i < args.size(); ++i) ReadIntoPageCache(args[i]);
      CompareProcesses(args[0], args[1], runs);
      CompareSizes(std::vector<std::string>(args.begin() + 1, args.end()), saveFolder, runs);
      MeasureHistory(args[1], runs);
      if (!oneName.empty()) {
        ReadIntoPageCache(oneName);
        const std::string folder =
            saveFolder.empty() ? std::filesystem::path(oneName).parent_path().string() : saveFolder;
        CompareRepeatedNames(args[0], oneName, folder, runs);
      }
      return 0;
    }
  } catch (const std::exception& failure) {
    std::cerr << "scene_io_bench: " << failure.what() << '\n';
    return 1;
  }
  std::cerr << kUsage;
  return 2;
}

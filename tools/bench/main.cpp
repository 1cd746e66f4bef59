// scene_io_bench: how fast the scene model loads and saves a scene2.bin next
// to plain reading and copying of the same file, and how much memory a load
// takes.

#include <cstdio>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "scene/Trace.h"
#include "scene/qScene2bin.h"
#include "tools/bench/PeakMemory.h"
#include "tools/bench/PlainIo.h"
#include "tools/bench/Timing.h"
#include "scene/ScriptedUi.h"

namespace {

constexpr int kDefaultRuns = 5;
constexpr double kLoadTarget = 2.0;  // times a plain read
constexpr double kSaveTarget = 2.0;  // times a plain copy
constexpr double kMemoryFactor = 1.3;
constexpr double kMemorySlack = 32.0 * 1024 * 1024;
constexpr double kMiB = 1024.0 * 1024.0;

const char kUsage[] =
    "usage: scene_io_bench [--runs N] FILE\n"
    "Times plain reading and copying of FILE and the scene model's load and save\n"
    "of it, N runs each (default 5), in one process and in fresh processes, and\n"
    "gives the peak memory of a run that only loads. Writes its copies beside\n"
    "FILE and removes them.\n";

// The one document a measure needs; its dialogs are never shown.
class Document {
 public:
  Document() : ui_(messages_), document_(NewScene2bin(ui_)) {}
  TqScene2bin* operator->() const { return document_.get(); }

 private:
  std::ostringstream messages_;
  ScriptedUi ui_;
  std::unique_ptr<TqScene2bin> document_;
};

double TimedLoad(const std::string& path) {
  Document document;
  Stopwatch clock;
  const bool loaded = document->ReadFromFile(path);
  const double milliseconds = clock.Milliseconds();
  if (!loaded) throw std::runtime_error("the scene model cannot load " + path);
  return milliseconds;
}

// A child run: one plain read or one load in a process of its own, printed
// as its milliseconds and the process's peak resident bytes.
int FreshRun(const std::string& what, const std::string& path) {
  SetTraceSink(nullptr);
  double milliseconds = 0;
  if (what == "read") {
    ReadBuffer buffer;
    Stopwatch clock;
    PlainRead(path, buffer);
    milliseconds = clock.Milliseconds();
  } else {
    milliseconds = TimedLoad(path);
  }
  std::cout << milliseconds << ' ' << PeakResidentBytes() << '\n';
  return 0;
}

// Runs `step` `runs` times; each gives the milliseconds that count, so that
// setting up and tearing down stay off the clock.
template <typename Step>
Timing Repeat(int runs, Step step) {
  std::vector<double> samples;
  for (int run = 0; run < runs; ++run) samples.push_back(step());
  return Summarise(samples);
}

// 1 to 999 runs; 0 for anything else.
int ParseRuns(const std::string& text) {
  if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos) return 0;
  return std::stoi(text);
}

const char* Verdict(bool met) { return met ? "ok" : "MISSED"; }

void PrintHeading() { std::printf("  %-28s %10s %10s\n", "", "best ms", "median ms"); }

void PrintRow(const char* name, const Timing& timing) {
  std::printf("  %-28s %10.1f %10.1f\n", name, timing.best, timing.median);
}

void PrintRatio(const char* name, const Timing& measured, const Timing& base, double target) {
  const double best = measured.best / base.best;
  const double median = measured.median / base.median;
  std::printf("  %-28s %10.2f %10.2f   target <= %.1f (median)  %s\n", name, best, median, target,
              Verdict(median <= target));
}

int Bench(const std::string& path, int runs) {
  // No sink: the trace would cost more than the load itself.
  SetTraceSink(nullptr);
  ReadBuffer buffer;
  // Also the warm-up: every measure below finds the file in the page cache.
  const uint64_t size = PlainRead(path, buffer);
  const std::string copyPath = path + ".bench-copy";
  const std::string savePath = path + ".bench-save";

  const Timing read = Repeat(runs, [&] {
    Stopwatch clock;
    PlainRead(path, buffer);
    return clock.Milliseconds();
  });
  // Both writers make a new file each run: replacing one would add the cost
  // of freeing the old one, which the file system charges unevenly.
  const Timing copy = Repeat(runs, [&] {
    std::remove(copyPath.c_str());
    Stopwatch clock;
    PlainCopy(path, copyPath);
    return clock.Milliseconds();
  });
  std::remove(copyPath.c_str());
  const Timing load = Repeat(runs, [&] { return TimedLoad(path); });
  Document document;
  document->ReadFromFile(path);
  const Timing save = Repeat(runs, [&] {
    std::remove(savePath.c_str());
    Stopwatch clock;
    const bool saved = document->WriteToFile(savePath);
    const double milliseconds = clock.Milliseconds();
    if (!saved) throw std::runtime_error("the scene model cannot save " + savePath);
    return milliseconds;
  });
  std::remove(savePath.c_str());

  std::vector<double> freshReads;
  std::vector<double> freshLoads;
  double peak = 0;
  for (int run = 0; run < runs; ++run) {
    for (const char* what : {"read", "load"}) {
      std::istringstream output(RunSelf({"--fresh", what, path}));
      double milliseconds = 0;
      double runPeak = 0;
      if (!(output >> milliseconds >> runPeak)) throw std::runtime_error("a child run printed nothing");
      (what[0] == 'r' ? freshReads : freshLoads).push_back(milliseconds);
      if (what[0] == 'l') peak = std::max(peak, runPeak);
    }
  }

  const int32_t items = document->Objects().Count() + document->Definitions().Count() +
                        document->VisualEffects().Count() + document->InitScripts().Count();
  std::printf("%s: %llu bytes (%.1f MiB), %d head chunks, %d scene items; %d runs each\n", path.c_str(),
              static_cast<unsigned long long>(size), static_cast<double>(size) / kMiB, document->Heads().Count(), items,
              runs);
  std::printf("\nIn one process, memory and page cache warm:\n");
  PrintHeading();
  PrintRow("plain read (fread)", read);
  PrintRow("plain copy (fread, fwrite)", copy);
  PrintRow("load (ReadFromFile)", load);
  PrintRow("save (WriteToFile)", save);
  PrintRatio("load / plain read", load, read, kLoadTarget);
  PrintRatio("save / plain copy", save, copy, kSaveTarget);

  const Timing freshRead = Summarise(freshReads);
  const Timing freshLoad = Summarise(freshLoads);
  std::printf("\nEach run in a fresh process, page faults included:\n");
  PrintHeading();
  PrintRow("plain read (fread)", freshRead);
  PrintRow("load (ReadFromFile)", freshLoad);
  PrintRatio("load / plain read", freshLoad, freshRead, kLoadTarget);

  const double limit = kMemoryFactor * static_cast<double>(size) + kMemorySlack;
  std::printf("\nPeak memory of a run that only loads: %.1f MiB = %.2f x file size\n", peak / kMiB,
              peak / static_cast<double>(size));
  std::printf("  target <= %.1f x file size + %.0f MiB = %.1f MiB  %s\n", kMemoryFactor, kMemorySlack / kMiB,
              limit / kMiB, Verdict(peak <= limit));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  try {
    if (args.size() == 3 && args[0] == "--fresh") return FreshRun(args[1], args[2]);
    int runs = kDefaultRuns;
    if (args.size() == 3 && args[0] == "--runs") {
      runs = ParseRuns(args[1]);
      args.erase(args.begin(), args.begin() + 2);
    }
    if (args.size() == 1 && runs > 0 && !args[0].starts_with("-")) return Bench(args[0], runs);
  } catch (const std::exception& failure) {
    std::cerr << "scene_io_bench: " << failure.what() << '\n';
    return 1;
  }
  std::cerr << kUsage;
  return 2;
}

// set: values typed over in the fields of chunks, as the editor's side
// panel takes them, every change of a run made as one edit and one save.

#include <algorithm>
#include <iterator>
#include <optional>
#include <span>
#include <thread>

#include "scene/ChunkCatalogue.h"
#include "scene/Counted.h"
#include "tools/scene2/ChunkPlace.h"
#include "tools/scene2/FieldSettings.h"
#include "tools/scene2/JsonWriter.h"
#include "tools/scene2/NameText.h"
#include "tools/scene2/Session.h"
#include "tools/scene2/SetFromJson.h"
#include "tools/scene2/WholeFile.h"
#include "tools/scene2/Wildcards.h"

namespace {

// How many chunks ahead of a check their bytes are asked for.
constexpr size_t kAhead = 16;

// A chunk that the run sets, and the settings it takes.
struct Target {
  const SceneSection* section;
  int32_t index;
  const std::vector<FieldSetting>* settings;  // not owned
};

struct SetResult {
  Target target;
  std::string name;  // only for a run that tells the values
  SetChunk set;
};

// "objects 3 "crate_0003"", as a message names a chunk.
std::string ChunkWords(const Target& target, const std::string& name) {
  return std::string(target.section->word) + " " + std::to_string(target.index) + " " + QuotedName(name);
}

void WriteChanges(JsonWriter& json, const std::vector<SetResult>& results) {
  json.BeginArray();
  for (const SetResult& result : results) {
    json.BeginObject();
    json.Key("section");
    json.String(result.target.section->word);
    json.Key("index");
    json.Number(result.target.index);
    WriteName(json, result.name);
    json.Key("fields");
    json.BeginArray();
    for (const FieldChange& change : result.set.changes) {
      json.BeginObject();
      json.Key("field");
      json.String(change.field);
      WriteWindows1251(json, "old", change.before);
      WriteWindows1251(json, "new", change.after);
      json.EndObject();
    }
    json.EndArray();
    json.EndObject();
  }
  json.EndArray();
}

void WriteChangeLines(std::ostream& out, const std::vector<SetResult>& results) {
  for (const SetResult& result : results)
    for (const FieldChange& change : result.set.changes)
      out << ChunkWords(result.target, result.name) << ": " << change.field << ": " << NameText(change.before) << " -> "
          << NameText(change.after) << '\n';
}

// A run of the targets, set on a thread of its own: each chunk rebuilt, its
// bytes put behind those before it; stops at the first chunk refused. A run
// that tells no values keeps no result for each chunk, only the fields set.
struct SetShare {
  const SceneDocument* document = nullptr;
  std::span<const Target> targets;
  bool values = false;  // whether the run tells them
  std::string in;       // the path, for a message

  // The chunks rebuilt, checked for the edit.
  ReplacementBatch batch;
  FieldNames fields;
  std::vector<SetResult> results;  // only for a run that tells the values
  std::string failure;             // the message of the chunk refused; empty when none was

  SetShare() = default;
  SetShare(const SceneDocument& from, std::span<const Target> run, bool tell, std::string path)
      : document(&from), targets(run), values(tell), in(std::move(path)) {}

  // Rebuilds every chunk of the run into one block, then checks them into
  // the batch, here rather than on the thread that takes the batches.
  void Run() {
    size_t length = 0;
    for (const Target& target : targets) length += Entry(target).chunk.Length();
    LargeBytes rebuilt;
    rebuilt.reserve(length);
    // Each chunk rebuilt: its entry, and where it starts in `rebuilt`.
    std::vector<std::pair<const ChunkEntry*, size_t>, os::LargeAllocator<std::pair<const ChunkEntry*, size_t>>> starts;
    starts.reserve(targets.size());
    std::optional<SettingsApplier> applier;
    for (const Target& target : targets) {
      if (!applier || &applier->Settings() != target.settings) applier.emplace(*target.settings, values);
      const ChunkEntry& entry = Entry(target);
      const size_t start = rebuilt.size();
      Outcome<SetChunk> set = applier->Apply(entry.chunk.Bytes(), rebuilt, fields);
      if (!set.ok()) {
        failure = "cannot set " + ChunkWords(target, ChunkName(entry.chunk.Bytes())) + " of " + in + ": " +
                  set.failure().message;
        return;
      }
      if (set.value().rebuilt) starts.emplace_back(&entry, start);
      if (values) results.push_back({target, ChunkName(entry.chunk.Bytes()), std::move(set.value())});
    }
    const std::shared_ptr<const ByteBlock> block = BlockOf(std::move(rebuilt));
    batch.Reserve(starts.size());
    for (size_t at = 0; at < starts.size(); ++at) {
      if (at + kAhead < starts.size()) {
        // The check reads both chunks' first lines, where a name lies, mostly:
        // asked for ahead, they come in together.
        for (const uint8_t* bytes :
             {starts[at + kAhead].first->chunk.Data(), block->Data() + starts[at + kAhead].second}) {
          __builtin_prefetch(bytes);
          __builtin_prefetch(bytes + 64);
        }
      }
      const size_t start = starts[at].second;
      const size_t end = at + 1 < starts.size() ? starts[at + 1].second : block->Size();
      document->CheckReplacement(batch, starts[at].first->id,
                                 Chunk(block, ByteView(block->Data() + start, end - start)));
    }
  }

  const ChunkEntry& Entry(const Target& target) const {
    return document->List(*target.section).Entries()[static_cast<size_t>(target.index)];
  }
};

// The run of one command line: its settings, the chunks they go to, and
// the results, which the document then takes as one edit.
class SetRun {
 public:
  explicit SetRun(Session& session) : session_(session) {}

  int Run() {
    const Arguments& args = session_.Args();
    if (args.from) {
      if (session_.OperandCount() > 2)
        return session_.UsageError("unexpected argument \"" + session_.Operand(2) + "\" with --from");
      if (const int status = ReadFrom(*args.from); status != kSuccess) return status;
    } else if (const int status = ReadOperands(); status != kSuccess) {
      return status;
    }
    session_.TraceTo(args.json ? session_.Err() : session_.Out());
    std::unique_ptr<SceneDocument> document = session_.Load(In());
    if (!document) return kFailure;
    if (const int status = args.from ? PlaceTargets(*document) : NameTargets(*document); status != kSuccess)
      return status;
    if (const int status = Apply(*document); status != kSuccess) return status;

    const std::string summary =
        "set " + fields_.Text() + " of " + Counted(static_cast<uint64_t>(targets_.size()), "chunk");
    if (!args.dryRun && !session_.Save(std::move(document), Out())) return kFailure;
    if (args.json) {
      JsonWriter json(session_.Out());
      json.BeginObject();
      json.Key("written");
      json.Bool(!args.dryRun);
      json.Key("chunks");
      WriteChanges(json, results_);
      json.EndObject();
      return kSuccess;
    }
    if (args.dryRun) {
      WriteChangeLines(session_.Out(), results_);
      session_.Out() << summary << ", nothing written (dry run)\n";
    } else {
      session_.Out() << summary << ", saved to " << Out() << '\n';
    }
    return kSuccess;
  }

 private:
  const std::string& In() const { return session_.Operand(0); }
  const std::string& Out() const { return session_.Operand(1); }

  // SECTION NAME FIELD=VALUE... or SECTION:INDEX FIELD=VALUE...
  int ReadOperands() {
    if (session_.OperandCount() < 3) return session_.UsageError("missing SECTION");
    place_ = PlaceOperand(session_.Operand(2));
    section_ = session_.SectionOperand(place_ ? place_->section : session_.Operand(2));
    if (section_ == nullptr) return kUsage;
    if (place_ && !IsWholeNumber(place_->index))
      return session_.UsageError("the place in \"" + session_.Operand(2) +
                                 "\" is no number: SECTION:INDEX counts from 0");
    size_t first = 3;
    if (!place_) {
      if (session_.OperandCount() < 4) return session_.UsageError("missing NAME");
      std::optional<std::string> name = session_.NameOperand(session_.Operand(3));
      if (!name) return kUsage;
      name_ = std::move(*name);
      first = 4;
    }
    if (session_.OperandCount() <= first) return session_.UsageError("missing FIELD=VALUE");
    for (size_t at = first; at < session_.OperandCount(); ++at) {
      const std::string& operand = session_.Operand(at);
      std::optional<FieldSetting> setting = ParseSetting(operand);
      if (!setting) return session_.UsageError("\"" + operand + "\" is no FIELD=VALUE or FIELD+=VALUE");
      std::string problem;
      std::optional<std::string> value = NameBytes(setting->value, problem);
      if (!value) return session_.UsageError("the value in \"" + operand + "\" can't be read: " + problem);
      setting->value = std::move(*value);
      settings_.push_back(std::move(*setting));
    }
    return kSuccess;
  }

  int ReadFrom(const std::string& path) {
    const os::Result<os::FileImage> file = ReadAnyFile(path);
    if (!file.ok()) return session_.Failure("cannot read " + path + ": " + file.reason());
    const std::string_view text(reinterpret_cast<const char*>(file.value().Data()), file.value().Size());
    std::string problem;
    const std::optional<JsonValue> document = ReadJson(text, problem);
    std::optional<std::vector<PlacedSettings>> placed;
    if (document) placed = SettingsFromJson(*document, problem);
    if (!placed) return session_.Failure("cannot read " + path + ": " + problem);
    placed_ = std::move(*placed);
    return kSuccess;
  }

  int NameTargets(SceneDocument& document) {
    const ChunkList& list = document.List(*section_);
    if (place_) {
      const ChunkRef chunk = ChunkAt(list, place_->index);
      if (chunk == nullptr)
        return session_.Failure("no chunk " + place_->index + " in " + section_->word + " of " + In() +
                                ", which holds " + Counted(static_cast<uint64_t>(list.Count()), "chunk"));
      targets_.push_back({section_, list.IndexOf(chunk.id), &settings_});
      return kSuccess;
    }
    if (!HasWildcard(name_)) {
      const int32_t index = session_.NamedIndex(document, In(), *section_, name_);
      if (index < 0) return kFailure;
      targets_.push_back({section_, index, &settings_});
      return kSuccess;
    }
    // "*" takes every chunk without reading a name.
    const bool every = name_.find_first_not_of('*') == std::string::npos;
    const std::span<const ChunkEntry> entries = list.Entries();
    if (every) targets_.reserve(entries.size());
    for (size_t index = 0; index < entries.size(); ++index)
      if (every || MatchesWildcards(ChunkName(entries[index].chunk.Bytes()), name_, false))
        targets_.push_back({section_, static_cast<int32_t>(index), &settings_});
    if (targets_.empty())
      return session_.Failure("no chunk of " + std::string(section_->word) + " of " + In() + " matches " +
                              QuotedName(name_));
    return kSuccess;
  }

  int PlaceTargets(const SceneDocument& document) {
    const std::string& from = *session_.Args().from;
    for (const PlacedSettings& placed : placed_) {
      const SceneSection* section = SectionByWord(placed.section);
      if (section == nullptr)
        return session_.Failure("cannot read " + from + ": " + placed.where + ": unknown section " +
                                QuotedName(placed.section));
      const int32_t count = document.List(*section).Count();
      if (placed.index >= count)
        return session_.Failure("cannot read " + from + ": " + placed.where + ": no chunk " +
                                std::to_string(placed.index) + " in " + section->word + " of " + In() +
                                ", which holds " + Counted(static_cast<uint64_t>(count), "chunk"));
      targets_.push_back({section, placed.index, &placed.settings});
    }
    return kSuccess;
  }

  // Every chunk rebuilt before the document changes, then one edit of them
  // all. The targets are shared out among threads, each rebuilding its
  // chunks into one block of its own, so that half a million of them cost
  // no block, and no place in their list's blocks, each.
  int Apply(SceneDocument& document) {
    std::vector<SetShare> shares = ShareOut(document);
    std::vector<std::thread> threads;
    for (size_t at = 1; at < shares.size(); ++at) threads.emplace_back(&SetShare::Run, &shares[at]);
    shares.front().Run();
    for (std::thread& thread : threads) thread.join();

    std::vector<ReplacementBatch> batches;
    for (SetShare& share : shares) {
      if (!share.failure.empty()) return session_.Failure(share.failure);
      batches.push_back(std::move(share.batch));
      fields_.Add(share.fields);
      std::move(share.results.begin(), share.results.end(), std::back_inserter(results_));
    }
    const std::string what = fields_.Text() + " of " + ChunkCount(document);
    const Outcome<size_t> replaced = document.ReplaceChunks(batches, what);
    if (!replaced.ok())
      return session_.Failure("cannot set " + what + " in " + In() + ": " + replaced.failure().message);
    return kSuccess;
  }

  // The targets in runs of one share for each thread the machine has, but
  // none for fewer chunks than make a thread worth its start.
  std::vector<SetShare> ShareOut(const SceneDocument& document) const {
    constexpr size_t kLeastForAThread = 4096;
    const size_t threads = std::clamp<size_t>(
        std::min<size_t>(std::thread::hardware_concurrency(), targets_.size() / kLeastForAThread), 1, 16);
    std::vector<SetShare> shares(threads);
    const bool values = session_.Args().json || session_.Args().dryRun;
    for (size_t at = 0; at < threads; ++at) {
      const auto first = targets_.begin() + static_cast<std::ptrdiff_t>(targets_.size() * at / threads);
      const auto end = targets_.begin() + static_cast<std::ptrdiff_t>(targets_.size() * (at + 1) / threads);
      shares[at] = SetShare{document, {first, end}, values, In()};
    }
    return shares;
  }

  // The chunks set as an undo names them: the name of one, or how many.
  std::string ChunkCount(const SceneDocument& document) const {
    if (targets_.size() != 1) return Counted(static_cast<uint64_t>(targets_.size()), "chunk");
    const Target& target = targets_.front();
    return ChunkName(document.List(*target.section).Entries()[static_cast<size_t>(target.index)].chunk.Bytes());
  }

  Session& session_;
  std::optional<ChunkPlace> place_;
  const SceneSection* section_ = nullptr;
  std::string name_;
  std::vector<FieldSetting> settings_;
  std::vector<PlacedSettings> placed_;
  std::vector<Target, os::LargeAllocator<Target>> targets_;  // half a million at times
  FieldNames fields_;
  std::vector<SetResult> results_;  // only for a run that tells the values
};

}  // namespace

int RunSet(Session& session) { return SetRun(session).Run(); }

#include "tools/scene2/Scene2Cli.h"

#include <map>
#include <optional>

#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "scene/DncExport.h"
#include "scene/DncImport.h"
#include "scene/Exception.h"
#include "scene/FileStream.h"
#include "scene/Hex.h"
#include "scene/ScriptedUi.h"
#include "scene/Trace.h"
#include "scene/qScene2bin.h"

namespace {

constexpr int kSuccess = 0;
constexpr int kFailure = 1;
constexpr int kUsage = 2;

const char kUsageText[] =
    "usage: scene2 trace FILE\n"
    "       scene2 list FILE\n"
    "       scene2 save IN OUT\n"
    "       scene2 delete IN OUT SECTION NAME...\n"
    "       scene2 rename IN OUT SECTION OLD NEW\n"
    "       scene2 export IN DIR [SECTION [NAME...]]\n"
    "       scene2 import IN OUT FILE...\n"
    "       scene2 --version\n"
    "SECTION is one of objects, definitions, initscripts, viseffects.\n";

// The four sections in tree order, each by its item chunk type.
struct Section {
  uint16_t itemType;
  const char* word() const { return SectionWord(itemType); }
};
constexpr Section kSections[] = {{kObjectChunk}, {kDefinitionChunk}, {kInitScriptChunk}, {kVisualEffectChunk}};

std::optional<Section> SectionByWord(const std::string& word) {
  for (const Section& section : kSections)
    if (word == section.word()) return section;
  return std::nullopt;
}

class StreamSink final : public TraceSink {
 public:
  explicit StreamSink(std::ostream& out) : out_(out) {}
  void Write(std::string_view bytes) override { out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size())); }

 private:
  std::ostream& out_;
};

// Sends the trace to a stream for as long as it lives.
class TraceTo {
 public:
  explicit TraceTo(std::ostream& out) : sink_(out), previous_(SetTraceSink(&sink_)) {}
  ~TraceTo() { SetTraceSink(previous_); }
  TraceTo(const TraceTo&) = delete;
  TraceTo& operator=(const TraceTo&) = delete;

 private:
  StreamSink sink_;
  TraceSink* previous_;
};

// A name's bytes as stored, with those that would break a line or a field
// written as \xHH.
std::string Escaped(const std::string& name) {
  std::string text;
  for (unsigned char c : name) {
    if (c < 0x20 || c == 0x7F || c == '\\')
      text += "\\x" + HexUpper(c, 2);
    else
      text += static_cast<char>(c);
  }
  return text;
}

std::string TypeNameOf(TMemoryStream& chunk) {
  switch (GetChunkType(chunk)) {
    case kObjectChunk:
      return ObjectTypeName(GetObjectType(chunk));
    case kDefinitionChunk:
      return DefinitionTypeName(GetDefinitionType(chunk));
    default:
      return "-";
  }
}

// One run of a command: the arguments, the streams and the document.
class Command {
 public:
  Command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
      : args_(args), out_(out), err_(err), ui_(err) {}

  int Trace();
  int List();
  int Save();
  int Delete();
  int Rename();
  int Export();
  int Import();
  int Version();

 private:
  // Loads args_[1] into a new document; false when the load failed.
  bool Load();
  // Writes the document to `path`; destroys it either way.
  int SaveTo(const std::string& path);
  // The chunk of `section` named `name`, or null with an error written.
  PStream FindNamed(const Section& section, const std::string& name);
  int Usage();

  const std::vector<std::string>& args_;
  std::ostream& out_;
  std::ostream& err_;
  ScriptedUi ui_;
  // Declared before the document so that the document's closing trace line,
  // written when it is destroyed, still reaches the command's trace stream.
  std::optional<TraceTo> trace_;
  std::unique_ptr<TqScene2bin> document_;
};

int Command::Usage() {
  err_ << kUsageText;
  return kUsage;
}

bool Command::Load() {
  document_ = NewScene2bin(ui_);
  if (document_->ReadFromFile(args_[1])) return true;
  // The model reads a file it can't open as an empty one, and its trace then
  // speaks of the signature: say what really happened.
  if (const auto opened = TFileStream::OpenRead(args_[1]); !opened.ok())
    err_ << "scene2: cannot open " << args_[1] << ": " << opened.reason() << '\n';
  return false;
}

int Command::SaveTo(const std::string& path) {
  std::string reason;
  const bool saved = document_->WriteToFile(path, reason);
  document_.reset();
  if (!saved) err_ << "scene2: cannot write " << path << ": " << reason << '\n';
  return saved ? kSuccess : kFailure;
}

PStream Command::FindNamed(const Section& section, const std::string& name) {
  const ChunkList& list = document_->SectionListByChunkID(section.itemType);
  const int32_t index = FindChunkByName(list, name);
  if (index < 0) err_ << "scene2: no chunk named \"" << Escaped(name) << "\" in " << section.word() << '\n';
  return list.At(index);
}

int Command::Trace() {
  if (args_.size() != 2) return Usage();
  trace_.emplace(out_);
  const bool loaded = Load();
  document_.reset();
  return loaded ? kSuccess : kFailure;
}

int Command::List() {
  if (args_.size() != 2) return Usage();
  trace_.emplace(err_);
  if (!Load()) return kFailure;
  for (const Section& section : kSections) {
    const ChunkList& list = document_->SectionListByChunkID(section.itemType);
    for (int32_t index = 0; index < list.Count(); ++index) {
      TMemoryStream& chunk = *list.At(index);
      out_ << section.word() << '\t' << index << '\t' << HexUpper(GetChunkType(chunk), 4) << '\t' << TypeNameOf(chunk)
           << '\t' << Escaped(GetChunkName(chunk)) << '\n';
    }
  }
  document_.reset();
  return kSuccess;
}

int Command::Save() {
  if (args_.size() != 3) return Usage();
  trace_.emplace(out_);
  if (!Load()) return kFailure;
  return SaveTo(args_[2]);
}

int Command::Delete() {
  if (args_.size() < 5) return Usage();
  const auto section = SectionByWord(args_[3]);
  if (!section) return Usage();
  trace_.emplace(out_);
  if (!Load()) return kFailure;
  for (size_t i = 4; i < args_.size(); ++i) {
    PStream chunk = FindNamed(*section, args_[i]);
    if (chunk == nullptr) return kFailure;
    try {
      document_->DeleteDNC(chunk);
    } catch (const std::exception& failure) {
      err_ << "scene2: " << FailureMessage(failure) << '\n';
      return kFailure;
    }
  }
  return SaveTo(args_[2]);
}

int Command::Rename() {
  if (args_.size() != 6) return Usage();
  const auto section = SectionByWord(args_[3]);
  if (!section) return Usage();
  trace_.emplace(out_);
  if (!Load()) return kFailure;
  PStream chunk = FindNamed(*section, args_[4]);
  if (chunk == nullptr) return kFailure;
  ui_.SetAnswer(args_[5]);
  std::string newName;
  if (!document_->RenameChunk(chunk, newName)) return kFailure;
  return SaveTo(args_[2]);
}

int Command::Export() {
  if (args_.size() < 3) return Usage();
  std::optional<Section> section;
  if (args_.size() > 3) {
    section = SectionByWord(args_[3]);
    if (!section) return Usage();
  }
  const std::string& folder = args_[2];
  trace_.emplace(out_);
  if (!Load()) return kFailure;

  const bool byName = args_.size() > 4;
  std::vector<PStream> chunks;
  for (const Section& each : kSections) {
    if (section && each.itemType != section->itemType) continue;
    if (!byName) {
      document_->SectionListByChunkID(each.itemType).ForEach([&chunks](TMemoryStream& chunk) {
        chunks.push_back(&chunk);
      });
      continue;
    }
    for (size_t i = 4; i < args_.size(); ++i) {
      PStream chunk = FindNamed(each, args_[i]);
      if (chunk == nullptr) return kFailure;
      chunks.push_back(chunk);
    }
  }

  const char last = folder.empty() ? '/' : folder.back();
  TDncExport dncExport(last == '/' || last == '\\' ? folder : folder + '/');
  if (!dncExport.FolderError().empty()) {
    err_ << "scene2: cannot create the folder " << dncExport.FolderError() << '\n';
    return kFailure;
  }
  int written = 0;
  bool failed = false;
  for (PStream chunk : chunks) {
    const DncWrite result = dncExport.Write(*chunk);
    if (result.written) {
      ++written;
    } else {
      err_ << "scene2: cannot write " << dncExport.Folder() << Escaped(result.fileName) << ": " << result.error << '\n';
      failed = true;
    }
  }
  // The summary comes after every trace line, the document's closing one too.
  document_.reset();
  out_ << written << " files written to " << folder << '\n';
  return failed ? kFailure : kSuccess;
}

int Command::Import() {
  if (args_.size() < 4) return Usage();
  trace_.emplace(out_);
  if (!Load()) return kFailure;
  ImportTally tally;
  try {
    tally = ImportDncFiles(*document_, {args_.begin() + 3, args_.end()});
  } catch (const std::exception& failure) {
    err_ << "scene2: cannot import " << FailureMessage(failure) << '\n';
    return kFailure;
  }
  if (SaveTo(args_[2]) != kSuccess) return kFailure;
  out_ << ImportSummary(tally) << '\n';
  return kSuccess;
}

int Command::Version() {
  if (args_.size() != 1) return Usage();
  out_ << "scene2 " SCENE2_VERSION "\n";
  return kSuccess;
}

}  // namespace

int RunScene2(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  static const std::map<std::string, int (Command::*)()> kCommands = {
      {"trace", &Command::Trace},   {"list", &Command::List},         {"save", &Command::Save},
      {"delete", &Command::Delete}, {"rename", &Command::Rename},     {"export", &Command::Export},
      {"import", &Command::Import}, {"--version", &Command::Version},
  };
  Command command(args, out, err);
  const auto found = args.empty() ? kCommands.end() : kCommands.find(args[0]);
  if (found == kCommands.end()) {
    err << kUsageText;
    return kUsage;
  }
  return (command.*found->second)();
}

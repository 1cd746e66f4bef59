#include "tools/scene2/Session.h"

#include "scene/ChunkCatalogue.h"
#include "tools/scene2/Help.h"
#include "tools/scene2/NameText.h"
#include "tools/scene2/Sections.h"

Session::Session(const CommandSpec& command, Arguments arguments, std::ostream& out, OutputKind outKind,
                 std::ostream& err)
    : command_(command), arguments_(std::move(arguments)), out_(out), outKind_(outKind), err_(err) {}

int Session::UsageError(const std::string& problem) {
  err_ << ::UsageError(problem, &command_);
  return kUsage;
}

int Session::Failure(const std::string& problem) {
  err_ << "scene2: " << problem << '\n';
  return kFailure;
}

const SceneSection* Session::SectionOperand(const std::string& word) {
  const SceneSection* section = SectionByWord(word);
  if (section == nullptr) UsageError("unknown section \"" + word + "\": the sections are " + SectionWords());
  return section;
}

std::optional<std::string> Session::NameOperand(const std::string& text) {
  std::string problem;
  std::optional<std::string> name = NameBytes(text, problem);
  if (!name) UsageError("the name \"" + text + "\" can't be read: " + problem);
  return name;
}

std::optional<std::vector<std::string>> Session::NameOperands(size_t first) {
  std::vector<std::string> names;
  for (size_t i = first; i < OperandCount(); ++i) {
    std::optional<std::string> name = NameOperand(Operand(i));
    if (!name) return std::nullopt;
    names.push_back(std::move(*name));
  }
  return names;
}

void Session::TraceTo(std::ostream& stream) {
  const bool shown =
      command_.trace == TraceShown::Always || (command_.trace == TraceShown::WhenAsked && arguments_.trace);
  trace_.SendTo(shown ? &stream : nullptr);
}

std::unique_ptr<SceneDocument> Session::Load(const std::string& path) {
  auto document = std::make_unique<SceneDocument>();
  document->SetEvents(&sceneTrace_);
  const Outcome<Done> loaded = document->Load(path);
  if (loaded.ok()) return document;
  document.reset();
  const SceneError& error = loaded.failure();
  if (error.fault == SceneFault::NotAFile || error.fault == SceneFault::Unopenable)
    Failure("cannot open " + path + ": " + error.reason);
  else
    Failure("cannot load " + path + ": " + error.message);
  return nullptr;
}

int32_t Session::NamedIndex(SceneDocument& document, const std::string& path, const SceneSection& section,
                            const std::string& name) {
  const int32_t index = FindChunkByName(document.List(section), name);
  if (index < 0) Failure("no chunk named " + QuotedName(name) + " in " + section.word + " of " + path);
  return index;
}

ChunkRef Session::NamedChunk(SceneDocument& document, const std::string& path, const SceneSection& section,
                             const std::string& name) {
  return document.List(section).Ref(NamedIndex(document, path, section, name));
}

bool Session::Save(std::unique_ptr<SceneDocument> document, const std::string& path) {
  const Outcome<Done> saved = document->Save(path);
  document.reset();
  if (!saved.ok()) Failure("cannot write " + path + ": " + saved.failure().reason);
  return saved.ok();
}

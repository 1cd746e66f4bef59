#pragma once
// One run of a command: its arguments and streams, where the scene model's
// trace goes, and what the commands share: reading SECTION and NAME
// operands, loading and saving. Every failure is one line on standard error,
// "scene2: " and what went wrong, naming the path.

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "scene/ChunkTypes.h"
#include "scene/SceneDocument.h"
#include "scene/SceneTrace.h"
#include "tools/scene2/Arguments.h"
#include "tools/scene2/Commands.h"
#include "tools/scene2/Scene2Cli.h"
#include "tools/scene2/TraceOutput.h"

class Session {
 public:
  Session(const CommandSpec& command, Arguments arguments, std::ostream& out, OutputKind outKind, std::ostream& err);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  const Arguments& Args() const { return arguments_; }
  const std::string& Operand(size_t index) const { return arguments_.operands.at(index); }
  size_t OperandCount() const { return arguments_.operands.size(); }
  std::ostream& Out() { return out_; }
  OutputKind OutKind() const { return outKind_; }
  std::ostream& Err() { return err_; }

  // Writes the problem and the command's usage; gives kUsage.
  int UsageError(const std::string& problem);
  // Writes "scene2: " and the problem; gives kFailure.
  int Failure(const std::string& problem);

  // The section that a SECTION operand names; null after a usage error that
  // lists the four.
  const SceneSection* SectionOperand(const std::string& word);
  // The bytes of a NAME operand (see NameBytes); nullopt after a usage error.
  std::optional<std::string> NameOperand(const std::string& text);
  // The same for every operand from `first` on.
  std::optional<std::vector<std::string>> NameOperands(size_t first);

  // Sends the scene model's trace to `stream` from now on where the command
  // shows it (trace always, the others with --trace); nowhere otherwise.
  void TraceTo(std::ostream& stream);
  // The scene in `path`; null after an error line that says why it could not
  // be opened or loaded.
  std::unique_ptr<SceneDocument> Load(const std::string& path);
  // The index of the first chunk of `section` named `name` in the scene
  // loaded from `path`; -1 after an error line.
  int32_t NamedIndex(SceneDocument& document, const std::string& path, const SceneSection& section,
                     const std::string& name);
  // That chunk; null after an error line.
  ChunkRef NamedChunk(SceneDocument& document, const std::string& path, const SceneSection& section,
                      const std::string& name);
  // Saves the scene to `path` and destroys it, so that its closing trace line
  // comes before whatever the command writes next; false after an error line.
  bool Save(std::unique_ptr<SceneDocument> document, const std::string& path);

 private:
  const CommandSpec& command_;
  Arguments arguments_;
  std::ostream& out_;
  OutputKind outKind_;
  std::ostream& err_;
  TraceOutput trace_;
  SceneTrace sceneTrace_;  // outlives every document the commands load
};

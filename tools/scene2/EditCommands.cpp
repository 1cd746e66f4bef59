// The commands that load a scene and, but for trace, save it changed: each
// ends with one summary line that says what changed and where it went.

#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "scene/Counted.h"
#include "scene/DncImport.h"
#include "scene/SceneTrace.h"
#include "tools/scene2/FileArguments.h"
#include "tools/scene2/NameText.h"
#include "tools/scene2/Session.h"

int RunTrace(Session& session) {
  session.TraceTo(session.Out());
  return session.Load(session.Operand(0)) ? kSuccess : kFailure;
}

int RunSave(Session& session) {
  const std::string& out = session.Operand(1);
  session.TraceTo(session.Out());
  std::unique_ptr<SceneDocument> document = session.Load(session.Operand(0));
  if (!document || !session.Save(std::move(document), out)) return kFailure;
  session.Out() << "scene saved to " << out << '\n';
  return kSuccess;
}

int RunDelete(Session& session) {
  const std::string& in = session.Operand(0);
  const std::string& out = session.Operand(1);
  const SceneSection* section = session.SectionOperand(session.Operand(2));
  if (section == nullptr) return kUsage;
  const auto names = session.NameOperands(3);
  if (!names) return kUsage;
  session.TraceTo(session.Out());
  std::unique_ptr<SceneDocument> document = session.Load(in);
  if (!document) return kFailure;
  for (const std::string& name : *names) {
    const ChunkRef chunk = session.NamedChunk(*document, in, *section, name);
    if (chunk == nullptr) return kFailure;
    document->DeleteChunks(std::span(&chunk.id, 1));
  }
  if (!session.Save(std::move(document), out)) return kFailure;
  session.Out() << Counted(names->size(), "chunk") << " deleted from " << section->word << ", saved to " << out << '\n';
  return kSuccess;
}

int RunRename(Session& session) {
  const std::string& in = session.Operand(0);
  const std::string& out = session.Operand(1);
  const SceneSection* section = session.SectionOperand(session.Operand(2));
  if (section == nullptr) return kUsage;
  // Init scripts and visual effects keep their names where no rename reaches.
  if (!section->NamedBySubChunk())
    return session.UsageError(std::string("only objects and definitions can be renamed, not ") + section->word);
  const auto names = session.NameOperands(3);
  if (!names) return kUsage;
  const std::string& oldName = (*names)[0];
  const std::string& newName = (*names)[1];
  if (newName.empty()) return session.UsageError("the new name is empty");
  session.TraceTo(session.Out());
  std::unique_ptr<SceneDocument> document = session.Load(in);
  if (!document) return kFailure;

  ChunkRef chunk = session.NamedChunk(*document, in, *section, oldName);
  if (chunk == nullptr) return kFailure;
  const std::string what = "cannot rename " + QuotedName(oldName) + " to " + QuotedName(newName) + " in " +
                           section->word + " of " + in + ": ";
  if (const Outcome<EditDone> renamed = document->Rename(chunk, newName); !renamed.ok()) {
    // A chunk without a name sub-chunk is refused before any replace.
    if (renamed.failure().fault != SceneFault::NoNameSubChunk) TraceRefusal("ReplaceChunkData", renamed.failure());
    return session.Failure(what + renamed.failure().message);
  }
  if (!session.Save(std::move(document), out)) return kFailure;
  session.Out() << "renamed " << QuotedName(oldName) << " to " << QuotedName(newName) << " in " << section->word
                << ", saved to " << out << '\n';
  return kSuccess;
}

int RunImport(Session& session) {
  const std::string& out = session.Operand(1);
  session.TraceTo(session.Out());
  std::unique_ptr<SceneDocument> document = session.Load(session.Operand(0));
  if (!document) return kFailure;
  const auto& operands = session.Args().operands;
  const os::Result<std::vector<std::string>> files =
      ExpandFileArguments({operands.begin() + 2, operands.end()}, ".dnc");
  if (!files.ok()) return session.Failure("cannot import " + files.reason());
  const Outcome<ImportTally> tally = ImportDncFiles(*document, files.value());
  if (!tally.ok()) return session.Failure("cannot import " + tally.failure().message);
  if (!session.Save(std::move(document), out)) return kFailure;
  session.Out() << ImportSummary(tally.value()) << ", saved to " << out << '\n';
  return kSuccess;
}

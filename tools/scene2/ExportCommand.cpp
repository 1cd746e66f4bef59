// export: chunks of a scene written as .dnc files, ending with how many.

#include "scene/Counted.h"
#include "scene/DncExport.h"
#include "tools/scene2/NameText.h"
#include "tools/scene2/Session.h"

int RunExport(Session& session) {
  const std::string& in = session.Operand(0);
  const std::string& folder = session.Operand(1);
  const SceneSection* only = nullptr;
  if (session.OperandCount() > 2 && (only = session.SectionOperand(session.Operand(2))) == nullptr) return kUsage;
  const auto names = session.NameOperands(3);
  if (!names) return kUsage;
  session.TraceTo(session.Out());
  std::unique_ptr<SceneDocument> document = session.Load(in);
  if (!document) return kFailure;

  std::vector<ChunkRef> chunks;
  for (const SceneSection& section : kSceneSections) {
    if (only != nullptr && section.itemType != only->itemType) continue;
    const ChunkList& list = document->List(section);
    if (names->empty())
      for (int32_t index = 0; index < list.Count(); ++index) chunks.push_back(list.Ref(index));
    for (const std::string& name : *names) {
      const ChunkRef chunk = session.NamedChunk(*document, in, section, name);
      if (chunk == nullptr) return kFailure;
      chunks.push_back(chunk);
    }
  }

  const char last = folder.empty() ? '/' : folder.back();
  TDncExport dncExport(last == '/' || last == '\\' ? folder : folder + '/');
  if (!dncExport.FolderError().empty()) return session.Failure("cannot create the folder " + dncExport.FolderError());
  size_t written = 0;
  bool failed = false;
  for (const ChunkRef& chunk : chunks) {
    const DncWrite result = dncExport.Write(chunk.Bytes());
    if (result.written) {
      ++written;
    } else {
      session.Failure("cannot write " + dncExport.Folder() + FileNameText(result.fileName) + ": " + result.error);
      failed = true;
    }
  }
  // The summary comes after every trace line, the document's closing one too.
  document.reset();
  session.Out() << Counted(written, "file") << " written to " << folder << '\n';
  return failed ? kFailure : kSuccess;
}

#include "scene/SceneTrace.h"

#include <string>

#include "scene/Hex.h"
#include "scene/LoadFailure.h"
#include "scene/SceneDocument.h"
#include "scene/Trace.h"
#include "scene/Windows1251.h"

namespace {

const char kReadFromFile[] = "qScene2bin.ReadFromFile: ";

void TraceMessage(const char* prefix, const SceneError& error) { Trace(prefix + Windows1251FromUtf8(error.message)); }

void TraceDump(const char* label, ByteView chunk) {
  Trace(label);
  DumpChunk(chunk);
  Trace("");
}

}  // namespace

void DumpChunk(ByteView chunk) {
  std::string text;
  text.reserve(chunk.Length() * 3);
  for (size_t i = 0; i < chunk.Length(); ++i) text += HexUpper(chunk.Data()[i], 2) + ' ';
  TraceWrite(text);
}

void TraceRefusal(const char* operation, const SceneError& error) {
  TraceMessage(("qScene2bin." + std::string(operation) + ": ").c_str(), error);
}

void SceneTrace::Cleared() { Trace("* qScene2bin.clear done *"); }

void SceneTrace::LoadBegun() { Trace("qScene2bin.ReadFromFile: file open"); }

void SceneTrace::HeadChunkRead(uint16_t type) {
  Trace("TqScene2bin.ReadHeadFromStream: " + HexUpper(type, 4) + " - done");
}

void SceneTrace::HeadRead() { Trace("qScene2bin.ReadFromFile: reading head - done"); }

void SceneTrace::SectionBegun(uint64_t codeEnd) {
  Trace("qScene2bin.ReadSectionsFromStream BeginOffs: " + std::to_string(codeEnd));
}

void SceneTrace::SectionSized(int32_t size) {
  Trace("qScene2bin.ReadSectionsFromStream sectionSize: " + std::to_string(size));
}

void SceneTrace::SectionRead() { Trace("qScene2bin.ReadSectionsFromStream - done"); }

void SceneTrace::Loaded(const SceneDocument& document) {
  Trace("qScene2bin.ReadFromFile: reading sections - done");
  for (const SceneSection& section : kSceneSections)
    if (section.countLabel != nullptr)
      Trace(section.countLabel + std::to_string(document.List(section).Count()));
}

void SceneTrace::LoadFailed(const SceneError& error) {
  switch (error.fault) {
    case SceneFault::Unopenable:
      // A file that can't be opened has always read as an empty one.
      LoadBegun();
      [[fallthrough]];
    case SceneFault::NotAScene:
      Trace(LoadFailure(LayoutProblem{}).Message);
      Trace("qScene2bin.ReadFromFile: qScene2bin.ReadFromFile: cant read header");
      return;
    case SceneFault::BadHead:
      TraceMessage("", error);
      Trace("qScene2bin.ReadFromFile: qScene2bin.ReadFromFile: cant read header");
      return;
    case SceneFault::BadSection:
      TraceMessage("", error);
      Trace("qScene2bin.ReadFromFile: qScene2bin.ReadFromFile: cant read section");
      return;
    default:
      TraceMessage(kReadFromFile, error);
  }
}

void SceneTrace::Saved() { Trace("TqScene2bin.WriteToFile - done"); }

void SceneTrace::SaveFailed(const SceneError& error) { TraceMessage("qScene2bin.WriteToFile: ", error); }

void SceneTrace::Replacing(ByteView old) { TraceDump("OLD", old); }

void SceneTrace::Replaced(ByteView now) { TraceDump("NEW", now); }

void SceneTrace::Added(const std::string& what) { Trace("qScene2bin.AddChunk: added " + what); }

void SceneTrace::Imported(const std::string& what, bool replaced) {
  Trace(std::string("qScene2bin.ImportDNC: ") + (replaced ? "replaced " : "added ") + what);
}

void SceneTrace::ImportRefused(const SceneError& error) { TraceMessage("qScene2bin.ImportDNC: ", error); }

void SceneTrace::Undone(const std::string& what) { Trace("qScene2bin.Undo: " + what); }

void SceneTrace::Redone(const std::string& what) { Trace("qScene2bin.Redo: " + what); }

#include "editing/StatusText.h"

#include "os/Paths.h"
#include "scene/ChunkTypes.h"

namespace {

constexpr char kDash[] = " \xE2\x80\x94 ";  // an em dash, spaced

// "Ctrl+Z brings them back" for what a delete took away.
std::string BringsBack(uint64_t chunks) {
  return kDash + std::string("Ctrl+Z brings ") + (chunks == 1 ? "it" : "them") + " back";
}

std::string ImportedCount(const ImportTally& tally) {
  // Both counts only ever go up from 0.
  std::string text = CountedGrouped(static_cast<uint64_t>(tally.replaced + tally.added), "chunk");
  if (tally.replaced > 0) text += " (" + Grouped(static_cast<uint64_t>(tally.replaced)) + " replaced)";
  return text;
}

}  // namespace

std::string Grouped(uint64_t number) {
  const std::string digits = std::to_string(number);
  std::string text;
  for (size_t at = 0; at < digits.size(); ++at) {
    if (at > 0 && (digits.size() - at) % 3 == 0) text += ',';
    text += digits[at];
  }
  return text;
}

std::string CountedGrouped(uint64_t count, std::string_view noun) {
  std::string text = Grouped(count) + ' ';
  text += noun;
  if (count != 1) text += 's';
  return text;
}

std::string ShownFileName(const std::string& path) { return path.substr(os::FolderOf(path).size()); }

std::string WindowCaption(const std::string& name, bool modified) {
  if (name.empty()) return "Form1";
  return name + (modified ? "* - Form1" : " - Form1");
}

std::string FileStatus(const std::string& name, bool modified) {
  if (name.empty()) return modified ? "no file*" : "no file";
  return modified ? name + "*" : name;
}

std::string CountStatus(uint64_t chunks, uint64_t checked) {
  return CountedGrouped(chunks, "chunk") + ", " + Grouped(checked) + " checked";
}

uint64_t SectionChunkCount(const SceneDocument& document) {
  uint64_t count = 0;
  for (const SceneSection& section : kSceneSections) count += static_cast<uint64_t>(document.List(section).Count());
  return count;
}

uint64_t CheckedChunkCount(const SceneNode& node) {
  uint64_t count = 0;
  for (const SceneNode* child = node.FirstChild(); child != nullptr; child = child->NextSibling()) {
    if (child->Checked() && child->kind == SceneNodeKind::Chunk) ++count;
    count += CheckedChunkCount(*child);
  }
  return count;
}

std::string OpenedStatus(const std::string& name, uint64_t chunks) {
  return "Opened " + name + ": " + CountedGrouped(chunks, "chunk");
}

std::string OpenFailedStatus(const std::string& name) { return "Could not open " + name; }

std::string SavedStatus(const std::string& name) { return "Saved " + name; }

std::string SaveFailedStatus(const std::string& name) { return "Could not save " + name; }

std::string DeletedStatus(uint64_t chunks) { return "Deleted " + CountedGrouped(chunks, "chunk") + BringsBack(chunks); }

std::string DeleteCancelledStatus(uint64_t deleted) {
  if (deleted == 0) return "Delete cancelled; nothing was deleted";
  return "Delete cancelled after " + CountedGrouped(deleted, "chunk") + BringsBack(deleted);
}

std::string NothingCheckedStatus() { return "Nothing checked to delete"; }

std::string NothingToDeleteStatus() { return "Nothing to delete: check chunks or select one"; }

std::string ExportedStatus(const ExportTally& tally) {
  // Those it could not write were done too.
  if (tally.cancelled)
    return ExportCancelledStatus(static_cast<uint64_t>(tally.written + tally.failed),
                                 static_cast<uint64_t>(tally.checked));
  std::string text = "Exported " + CountedGrouped(static_cast<uint64_t>(tally.written), "file");
  if (tally.failed > 0) text += ", " + Grouped(static_cast<uint64_t>(tally.failed)) + " could not be written";
  return text;
}

std::string ExportCancelledStatus(uint64_t done, uint64_t total) {
  return "Export cancelled after " + Grouped(done) + " of " + CountedGrouped(total, "file");
}

std::string ImportedStatus(const ImportTally& tally) { return "Imported " + ImportedCount(tally); }

std::string ImportCancelledStatus(uint64_t done, uint64_t total, const ImportTally& tally) {
  return "Import cancelled after " + Grouped(done) + " of " + CountedGrouped(total, "file") + "; imported " +
         ImportedCount(tally);
}

std::string RenamedStatus(const std::string& from, const std::string& to) { return "Renamed " + from + " to " + to; }

std::string CopiedStatus(uint64_t chunks) { return "Copied " + CountedGrouped(chunks, "chunk"); }

std::string PastedStatus(uint64_t chunks) { return "Pasted " + CountedGrouped(chunks, "chunk"); }

std::string DuplicatedStatus(const std::string& from, const std::string& to) {
  return "Duplicated " + from + " as " + to;
}

std::string ChangedStatus(const std::string& edit) { return "Changed " + edit; }

std::string AddedStatus(const std::string& edit) { return "Added " + edit; }

std::string UndoneStatus(const std::string& edit) { return "Undone: " + edit; }

std::string RedoneStatus(const std::string& edit) { return "Redone: " + edit; }

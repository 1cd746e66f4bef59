#include "editing/ChunkCommands.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "editing/SceneTree.h"
#include "editing/StatusText.h"
#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"

namespace {

void GatherCheckedChunks(const SceneNode& node, std::vector<ChunkId>& chunks) {
  for (const SceneNode* child = node.FirstChild(); child != nullptr; child = child->NextSibling()) {
    if (child->FirstChild() != nullptr) GatherCheckedChunks(*child, chunks);
    if (child->Checked() && child->chunk != 0) chunks.push_back(child->chunk);
  }
}

// The chunks of the checked nodes below `node`, in tree order.
std::vector<ChunkId> CheckedChunks(const SceneNode& node) {
  std::vector<ChunkId> chunks;
  GatherCheckedChunks(node, chunks);
  return chunks;
}

}  // namespace

void ExportChecked(const SceneNode& node, const SceneDocument& document, TDncExport& dncExport, ExportTally& tally,
                   const ProgressReport& report) {
  const std::vector<ChunkId> chunks = CheckedChunks(node);
  tally.checked = static_cast<int>(chunks.size());
  for (size_t done = 0; done < chunks.size(); ++done) {
    if (report && !report(done, chunks.size())) {
      tally.cancelled = true;
      return;
    }
    const ChunkRef chunk = document.Get(chunks[done]);
    if (chunk == nullptr) continue;
    // The summary counts failures; it does not list them.
    if (dncExport.Write(chunk.Bytes()).written)
      ++tally.written;
    else
      ++tally.failed;
  }
}

std::vector<ChunkId> ChunksToCopy(const FixedNodes& nodes, const SceneNode* selected) {
  std::vector<ChunkId> chunks = CheckedChunks(*nodes.scene2);
  if (chunks.empty() && selected != nullptr && selected->kind == SceneNodeKind::Chunk)
    chunks.push_back(selected->chunk);
  return chunks;
}

std::string ExportSummary(const ExportTally& tally, const std::string& folder) {
  std::string summary = tally.cancelled ? ExportedStatus(tally) : std::to_string(tally.written) + " files was created";
  summary += "\rFolder: " + folder;
  if (tally.failed > 0) summary.append("\r").append(std::to_string(tally.failed)).append(" files could not be written");
  return summary;
}

namespace {

// The checked nodes below `node`, children before their parent.
void GatherChecked(const SceneNode& node, std::vector<SceneNode*>& checked) {
  for (SceneNode* child = node.FirstChild(); child != nullptr; child = child->NextSibling()) {
    if (child->FirstChild() != nullptr) GatherChecked(*child, checked);
    if (child->Checked()) checked.push_back(child);
  }
}

// Those of the chunks that lie outside the list of their own type (or whose
// type has none), where a delete of that one chunk is refused; sorted. Each
// list is walked once along the sorted identities, not searched for each.
std::vector<ChunkId> Misplaced(const SceneDocument& document, std::vector<ChunkId> ids) {
  std::sort(ids.begin(), ids.end());
  std::vector<ChunkId> placed;
  for (const SceneSection& section : kSceneSections) {
    const std::span<const ChunkEntry> entries = document.List(section).Entries();
    auto entry = entries.begin();
    for (const ChunkId id : ids) {
      entry = std::lower_bound(entry, entries.end(), id,
                               [](const ChunkEntry& listed, ChunkId wanted) { return listed.id < wanted; });
      if (entry == entries.end()) break;
      if (entry->id == id && SectionOfItemType(GetChunkType(entry->chunk.Bytes())) == &section) placed.push_back(id);
    }
  }
  std::sort(placed.begin(), placed.end());
  std::vector<ChunkId> misplaced;
  std::set_difference(ids.begin(), ids.end(), placed.begin(), placed.end(), std::back_inserter(misplaced));
  return misplaced;
}

}  // namespace

void DeleteChecked(std::span<SceneNode* const> sections, TqScene2bin& document, SceneTree& tree, TreeFollower& follower,
                   const ProgressReport& report) {
  std::vector<SceneNode*> checked;
  for (const SceneNode* section : sections) GatherChecked(*section, checked);
  // A chunk outside the list of its type ends the command with the error
  // that deleting it alone raises; what comes before it goes.
  std::vector<ChunkId> ids;
  for (const SceneNode* node : checked)
    if (node->chunk != 0) ids.push_back(node->chunk);
  const std::vector<ChunkId> misplaced = Misplaced(document.Core(), std::move(ids));
  const auto stray = std::find_if(checked.begin(), checked.end(), [&misplaced](const SceneNode* node) {
    return node->chunk != 0 && std::binary_search(misplaced.begin(), misplaced.end(), node->chunk);
  });
  ChunkId strayChunk = stray != checked.end() ? (*stray)->chunk : 0;
  checked.erase(stray, checked.end());
  // Out of the tree a folder at a time (a folder's checked chunks come right
  // before it), so that a view drops a folder's rows together, and a report
  // before each; then out of the document as one edit.
  const auto folderOf = [](const SceneNode* node) {
    return node->kind == SceneNodeKind::Folder ? node : node->Parent();
  };
  std::vector<ChunkId> chunks;
  for (size_t first = 0, end = 0; first < checked.size(); first = end) {
    if (report && !report(first, checked.size())) {
      strayChunk = 0;  // stopped before it
      break;
    }
    while (end < checked.size() && folderOf(checked[end]) == folderOf(checked[first])) ++end;
    const std::vector<SceneNode*> nodes(checked.begin() + static_cast<ptrdiff_t>(first),
                                        checked.begin() + static_cast<ptrdiff_t>(end));
    for (const SceneNode* node : nodes)
      if (node->chunk != 0) chunks.push_back(node->chunk);
    follower.Remove(tree, nodes);
  }
  SceneDocument& core = document.Core();
  core.DeleteChunks(chunks);
  if (strayChunk != 0) {
    PStream chunk = core.Get(strayChunk);
    document.DeleteDNC(chunk);
  }
}

size_t DeleteNode(SceneNode& node, SceneDocument& document, SceneTree& tree, TreeFollower& follower) {
  if (node.kind != SceneNodeKind::Chunk || !Misplaced(document, {node.chunk}).empty()) return 0;
  const ChunkId chunk = node.chunk;
  follower.Remove(tree, {&node});
  return document.DeleteChunks(std::span(&chunk, 1));
}

bool IsRenamable(const SceneNode* node, const SceneDocument& document) {
  if (node == nullptr) return false;
  const ChunkRef chunk = document.Get(node->chunk);
  if (chunk == nullptr) return false;
  const SceneSection* section = SectionOfItemType(GetChunkType(chunk.Bytes()));
  return section != nullptr && section->NamedBySubChunk();
}

bool RenameNode(const SceneNode& node, TqScene2bin& document) {
  PStream chunk = document.Core().Get(node.chunk);
  std::string newName;
  return chunk != nullptr && document.RenameChunk(chunk, newName);
}

SceneNode* FindByPrefix(const SceneNode& section, const std::string& prefix) {
  if (prefix.empty()) return nullptr;
  return FindInFolders(section, [&prefix](const SceneNode& node) { return node.Text().starts_with(prefix); });
}

SceneNode* FindNextByPrefix(const FixedNodes& nodes, const SceneNode* after, const std::string& prefix) {
  if (prefix.empty()) return nullptr;
  bool passed = after == nullptr || after == nodes.scene2;
  const auto nextMatch = [&](const SceneNode& node) {
    // A chunk node comes after its folder and its section.
    passed = passed || node.Parent() == after || node.Parent()->Parent() == after;
    if (passed && node.Text().starts_with(prefix)) return true;
    passed = passed || &node == after;
    return false;
  };
  for (const SceneNode* section : {nodes.objects, nodes.definitions})
    if (SceneNode* found = FindInFolders(*section, nextMatch); found != nullptr) return found;
  return nullptr;
}

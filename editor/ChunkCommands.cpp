#include "editor/ChunkCommands.h"

#include "editor/SceneTree.h"
#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"

void ExportChecked(const SceneNode& node, TDncExport& dncExport, ExportTally& tally) {
  for (SceneNode* child = node.FirstChild(); child != nullptr; child = child->NextSibling()) {
    if (child->FirstChild() != nullptr) ExportChecked(*child, dncExport, tally);
    if (child->chunk == nullptr || !child->Checked()) continue;
    // The summary counts failures; it does not list them.
    if (dncExport.Write(*child->chunk).written)
      ++tally.written;
    else
      ++tally.failed;
  }
}

std::string ExportSummary(const ExportTally& tally, const std::string& folder) {
  std::string summary = std::to_string(tally.written) + " files was created\rFolder: " + folder;
  if (tally.failed > 0) summary.append("\r").append(std::to_string(tally.failed)).append(" files could not be written");
  return summary;
}

void DeleteChecked(const SceneNode& node, TqScene2bin& document, NodeDeletions& deletions) {
  for (SceneNode* child = node.FirstChild(); child != nullptr; child = child->NextSibling()) {
    if (child->FirstChild() != nullptr) DeleteChecked(*child, document, deletions);
    if (!child->Checked()) continue;
    if (child->chunk != nullptr) document.DeleteDNC(child->chunk);
    deletions.Add(*child);
  }
}

bool IsRenamable(const SceneNode* node) {
  if (node == nullptr || node->chunk == nullptr) return false;
  const uint16_t type = GetChunkType(*node->chunk);
  return type == kObjectChunk || type == kDefinitionChunk;
}

bool RenameNode(toolkit::TreeModel& model, SceneNode& node, TqScene2bin& document) {
  PStream chunk = node.chunk;
  std::string newName;
  if (chunk == nullptr || !document.RenameChunk(chunk, newName)) return false;
  node.chunk = chunk;
  model.SetText(node, newName);
  return true;
}

SceneNode* FindByPrefix(const SceneNode& section, const std::string& prefix) {
  if (prefix.empty()) return nullptr;
  return FindInFolders(section, [&prefix](const SceneNode& node) { return node.Text().starts_with(prefix); });
}

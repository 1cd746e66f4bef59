#include "editor/ChunkCommands.h"

#include "editor/SceneTree.h"

void ExportChecked(const toolkit::TreeView& tree, toolkit::TreeItem node, TDncExport& dncExport, ExportTally& tally) {
  for (toolkit::TreeItem child = tree.FirstChild(node); child != nullptr; child = tree.NextSibling(child)) {
    if (tree.FirstChild(child) != nullptr) ExportChecked(tree, child, dncExport, tally);
    PStream chunk = ChunkOf(tree, child);
    if (chunk == nullptr || tree.CheckState(child) != toolkit::kChecked) continue;
    // The summary counts failures; it does not list them.
    if (dncExport.Write(*chunk).written)
      ++tally.written;
    else
      ++tally.failed;
  }
}

std::string ExportSummary(const ExportTally& tally, const std::string& folder) {
  std::string summary = std::to_string(tally.written) + " files was created\rFolder: " + folder;
  if (tally.failed > 0) summary += "\r" + std::to_string(tally.failed) + " files could not be written";
  return summary;
}

void DeleteChecked(const toolkit::TreeView& tree, toolkit::TreeItem node, TqScene2bin& document,
                   NodeDeletions& deletions) {
  for (toolkit::TreeItem child = tree.FirstChild(node); child != nullptr; child = tree.NextSibling(child)) {
    if (tree.FirstChild(child) != nullptr) DeleteChecked(tree, child, document, deletions);
    if (tree.CheckState(child) != toolkit::kChecked) continue;
    if (PStream chunk = ChunkOf(tree, child); chunk != nullptr) document.DeleteDNC(chunk);
    deletions.Add(child);
  }
}

bool RenameNode(toolkit::TreeView& tree, toolkit::TreeItem node, TqScene2bin& document) {
  PStream chunk = ChunkOf(tree, node);
  std::string newName;
  if (chunk == nullptr || !document.RenameChunk(chunk, newName)) return false;
  tree.SetText(node, newName);
  tree.SetData(node, reinterpret_cast<LPARAM>(chunk));
  return true;
}

toolkit::TreeItem FindByPrefix(const toolkit::TreeView& tree, toolkit::TreeItem section, const std::string& prefix) {
  if (prefix.empty()) return nullptr;
  return FindInFolders(tree, section, [&prefix](const std::string& text) { return text.starts_with(prefix); });
}

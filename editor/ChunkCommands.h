#pragma once
// What the chunk commands do to the scene tree and the document, apart from
// the boxes they show.

#include <string>
#include <vector>

#include "editor/SceneNode.h"
#include "scene/DncExport.h"
#include "scene/qScene2bin.h"
#include "toolkit/TreeModel.h"

struct ExportTally {
  int written = 0;
  int failed = 0;  // checked chunks whose file could not be written
};

// Writes a .dnc file for every checked chunk node below `node`, at any
// depth, in tree order.
void ExportChecked(const SceneNode& node, TDncExport& dncExport, ExportTally& tally);

// The export's summary: the files written, the folder, and the files that
// could not be written when there were any. Lines end with CR alone.
std::string ExportSummary(const ExportTally& tally, const std::string& folder);

// Nodes to remove from the tree, gathered while their chunks are deleted from
// the document and removed together when this goes, also when DeleteDNC has
// raised: a view removes many nodes much faster together than one by one.
class NodeDeletions {
 public:
  explicit NodeDeletions(toolkit::TreeModel& model) : model_(model) {}
  NodeDeletions(const NodeDeletions&) = delete;
  NodeDeletions& operator=(const NodeDeletions&) = delete;
  ~NodeDeletions() { model_.Remove(nodes_); }

  void Add(SceneNode& node) { nodes_.push_back(&node); }

 private:
  toolkit::TreeModel& model_;  // not owned
  std::vector<toolkit::TreeModelNode*> nodes_;
};

// Deletes every checked node below `node`, children before their parent,
// and the chunk of each from the document. Errors of DeleteDNC end it, with
// what was deleted before staying deleted.
void DeleteChecked(const SceneNode& node, TqScene2bin& document, NodeDeletions& deletions);

// Whether "Rename" works on the node: an object's or a definition's chunk.
bool IsRenamable(const SceneNode* node);

// Renames the chunk of `node` through the document's text-input dialog and
// gives the node the new name and chunk. False when nothing changed.
bool RenameNode(toolkit::TreeModel& model, SceneNode& node, TqScene2bin& document);

// The first chunk node two levels below `section` whose text begins with
// `prefix`; null for an empty prefix or no match.
SceneNode* FindByPrefix(const SceneNode& section, const std::string& prefix);

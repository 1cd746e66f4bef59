#pragma once
// What the chunk commands do to the scene tree and the document, apart from
// the boxes they show.

#include <span>
#include <string>
#include <vector>

#include "editing/SceneNode.h"
#include "editing/SceneTree.h"
#include "editing/TreeFollower.h"
#include "scene/DncExport.h"
#include "scene/Progress.h"
#include "scene/qScene2bin.h"
#include "treemodel/TreeModel.h"

struct ExportTally {
  int written = 0;
  int failed = 0;  // checked chunks whose file could not be written
  bool cancelled = false;
  int checked = 0;  // the chunks it was to write
};

// Writes a .dnc file for every checked chunk node below `node`, at any
// depth, in tree order; a file for each step of `report`, which can stop it.
void ExportChecked(const SceneNode& node, const SceneDocument& document, TDncExport& dncExport, ExportTally& tally,
                   const ProgressReport& report = {});

// The export's summary: the files written (or where it was cancelled), the
// folder, and the files that could not be written when there were any.
// Lines end with CR alone.
std::string ExportSummary(const ExportTally& tally, const std::string& folder);

// What "copy" takes: the chunks of the checked nodes below `nodes.scene2`
// in tree order when any is checked, as "export selected" and "delete
// selected" take them; else the chunk of `selected`, when it is a chunk's
// node; else none.
std::vector<ChunkId> ChunksToCopy(const FixedNodes& nodes, const SceneNode* selected);

// Deletes every checked node below each of `sections`, a chunk's or a
// folder's, from the tree through `follower`, a folder's nodes together (a
// view removes many nodes much faster together than one by one), with a
// step of `report` before each folder; then their chunks from the document,
// as one edit. A chunk outside the list of its type ends it with the error
// that DeleteDNC raises for it, what came before it deleted; so does
// `report`, without an error.
void DeleteChecked(std::span<SceneNode* const> sections, TqScene2bin& document, SceneTree& tree, TreeFollower& follower,
                   const ProgressReport& report = {});

// Deletes the chunk of one node from the tree through `follower` and from the
// document, as one edit: the Delete key with nothing checked. 0 when the
// node holds no chunk of a section's list.
size_t DeleteNode(SceneNode& node, SceneDocument& document, SceneTree& tree, TreeFollower& follower);

// Whether "Rename" works on the node: an object's or a definition's chunk.
bool IsRenamable(const SceneNode* node, const SceneDocument& document);

// Renames the chunk of `node` through the document's text-input dialog.
// False when nothing changed.
bool RenameNode(const SceneNode& node, TqScene2bin& document);

// The first chunk node two levels below `section` whose text begins with
// `prefix`; null for an empty prefix or no match.
SceneNode* FindByPrefix(const SceneNode& section, const std::string& prefix);

// The first chunk node of the objects, then of the definitions, whose text
// begins with `prefix` and that comes after `after` in the tree (null: from
// the start); null for an empty prefix or none up to the last definition.
SceneNode* FindNextByPrefix(const FixedNodes& nodes, const SceneNode* after, const std::string& prefix);

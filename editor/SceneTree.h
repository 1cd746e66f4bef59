#pragma once

#include <windows.h>  // first: the document's header then undoes its GetObject macro

#include <array>
#include <cstdint>

#include "scene/ChunkCatalogue.h"
#include "scene/qScene2bin.h"
#include "toolkit/TreeView.h"

// The five nodes that every scene tree has.
struct FixedNodes {
  toolkit::TreeItem scene2 = nullptr;
  toolkit::TreeItem objects = nullptr;
  toolkit::TreeItem definitions = nullptr;
  toolkit::TreeItem visualEffects = nullptr;
  toolkit::TreeItem initScripts = nullptr;
};

// The scene as the main window's tree shows it: the fixed nodes, a folder
// for each object or definition type met, and a node for each chunk whose
// data is a reference to the chunk stream that the document holds.
class SceneTree {
 public:
  explicit SceneTree(toolkit::TreeView& tree) : tree_(tree) {}
  SceneTree(const SceneTree&) = delete;
  SceneTree& operator=(const SceneTree&) = delete;

  // Only the five fixed nodes remain; every folder slot is empty.
  void ResetTree();
  // Rebuilds the tree from the document. An unknown type raises Exception
  // (Code::UnknownType) with the nodes inserted before it left in place.
  void FillTree(TqScene2bin& document);
  // The node that an object or definition belongs under, its type folder made
  // on first use. Raises Exception for unknown types. It keeps the folders
  // it made until the next ResetTree, so it is for filling: a folder deleted
  // in between would be handed out again.
  toolkit::TreeItem FolderForChunk(TMemoryStream& chunk);

  const FixedNodes& Nodes() const { return nodes_; }

 private:
  toolkit::TreeItem FolderInSlot(toolkit::TreeItem& slot, toolkit::TreeItem section, const std::string& text);
  void AddSection(int32_t count, PStream (TqScene2bin::*get)(int32_t) const, TqScene2bin& document,
                  toolkit::TreeItem section);

  toolkit::TreeView& tree_;  // not owned
  FixedNodes nodes_;
  std::array<toolkit::TreeItem, kKnownObjectTypeCount> ObjectFolders{};
  std::array<toolkit::TreeItem, kDefinitionTypeCount> DefinitionFolders{};
};

// The chunk that a node refers to; null for fixed nodes and folders.
PStream ChunkOf(const toolkit::TreeView& tree, toolkit::TreeItem node);

// The first chunk node two levels below `section` (a child of one of its
// folders), in tree order, for which `match` (its text) is true; or null.
template <typename Match>
toolkit::TreeItem FindInFolders(const toolkit::TreeView& tree, toolkit::TreeItem section, Match match) {
  for (toolkit::TreeItem folder = tree.FirstChild(section); folder != nullptr; folder = tree.NextSibling(folder))
    for (toolkit::TreeItem node = tree.FirstChild(folder); node != nullptr; node = tree.NextSibling(node))
      if (match(tree.Text(node))) return node;
  return nullptr;
}

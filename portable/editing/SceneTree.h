#pragma once
// The scene as the main window's tree shows it: the fixed nodes, a folder for
// each object or definition type met, and a node for each chunk, which
// names the document's chunk by its identity. A model without a
// window: the rules work on it, and the window's TreeView mirrors it.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "editing/ChunkIdMap.h"
#include "editing/SceneNode.h"
#include "scene/ChunkCatalogue.h"
#include "scene/SceneDocument.h"
#include "treemodel/TreeModel.h"

class SceneTree {
 public:
  SceneTree() { ResetTree(); }
  SceneTree(const SceneTree&) = delete;
  SceneTree& operator=(const SceneTree&) = delete;

  // Only the five fixed nodes remain; every folder slot is empty.
  void ResetTree();
  // Rebuilds the tree from the document. An unknown type raises Exception
  // (Code::UnknownType) with the nodes added before it left in place.
  void FillTree(const SceneDocument& document);
  // The node that an object or definition belongs under, its type folder made
  // on first use. Raises Exception for unknown types. It keeps the folders
  // it made until the next ResetTree, so it is for filling: a folder deleted
  // in between would be handed out again.
  SceneNode& FolderForChunk(ByteView chunk);
  // Adds a node for a chunk that the document gained after the fill, at the
  // end of the folder of its type, which is made when the tree has none (not
  // yet, or deleted since). Raises Exception for unknown types.
  SceneNode& AddChunkNode(ChunkId chunk, ByteView bytes);
  // Whether the node stands where AddChunkNode would put a node of `chunk`:
  // in the folder of the chunk's type. Raises Exception for unknown types.
  bool StandsRight(const SceneNode& node, ByteView chunk);
  // Where a node of `chunk` belongs: its section, and the text of its type
  // folder (empty where the section has none). Raises Exception for unknown
  // types.
  struct Home {
    size_t section = 0;  // in kSceneSections
    std::string folder;
    bool operator==(const Home&) const = default;
  };
  Home HomeOf(ByteView chunk);
  // The node that a node of `chunk` belongs under, the folder of its type or
  // its section; null when that folder is missing. Raises Exception for
  // unknown types.
  SceneNode* ParentFor(ByteView chunk);
  // Makes the folder of the chunk's type, which is missing, right after
  // `previous` among the children of its section (null: first). Raises
  // Exception for unknown types.
  SceneNode& MakeFolderFor(ByteView chunk, SceneNode* previous);
  // The index in kSceneSections of the section that `node` is, or lies below.
  size_t SectionIndexOf(const SceneNode& node) const;
  // Adds a node among the children of `parent`, right after `previous`
  // (null: first).
  SceneNode& InsertNode(SceneNode& parent, SceneNode* previous, SceneNodeKind kind, std::string text,
                        ChunkId chunk = 0);
  // Removes the nodes, each with everything below it; none may lie below
  // another of them (TreeModel::Highest gives such a list).
  void Remove(const std::vector<SceneNode*>& nodes);

  // The node that shows the chunk, or null.
  SceneNode* NodeOfChunk(ChunkId chunk) const;
  // The folder of `section` with the text, or null.
  static SceneNode* FolderOf(const SceneNode& section, const std::string& text);

  const FixedNodes& Nodes() const { return nodes_; }
  toolkit::TreeModel& Model() { return model_; }

 private:
  // Where a chunk's node goes: its section, and the type folder in it with
  // its slot (none for init scripts and visual effects).
  struct Placement {
    SceneNode* section;
    std::string folder;
    SceneNode** slot = nullptr;
  };
  Placement PlaceOf(ByteView chunk);
  SceneNode& AddNode(SceneNode* parent, SceneNodeKind kind, std::string text, ChunkId chunk = 0);
  SceneNode& FolderInSlot(SceneNode*& slot, SceneNode& section, const std::string& text);
  void AddSection(const ChunkList& list, SceneNode* section);
  // Forgets the chunk nodes at and below `node`, which is going.
  void ForgetChunkNodes(const SceneNode& node);

  toolkit::TreeModel model_;
  FixedNodes nodes_;
  ChunkIdMap<SceneNode*> chunkNodes_;
  std::array<SceneNode*, kKnownObjectTypeCount> objectFolders_{};
  std::array<SceneNode*, kDefinitionTypeCount> definitionFolders_{};
};

// The first chunk node two levels below `section` (a child of one of its
// folders), in tree order, for which `match` is true; or null.
template <typename Match>
SceneNode* FindInFolders(const SceneNode& section, Match match) {
  for (SceneNode* folder = section.FirstChild(); folder != nullptr; folder = folder->NextSibling())
    for (SceneNode* node = folder->FirstChild(); node != nullptr; node = node->NextSibling())
      if (match(*node)) return node;
  return nullptr;
}

#pragma once
// A node of the editor's scene tree, as its rules see it: no window in it.

#include <iterator>

#include "scene/Chunk.h"
#include "scene/ChunkTypes.h"
#include "treemodel/TreeModel.h"

enum class SceneNodeKind {
  Root,     // "scene2"
  Section,  // "Objects", "Difinitions", "Visual effects", "Init Scripts"
  Folder,   // an object or definition type
  Chunk,    // a chunk of the document
};

struct SceneNode final : toolkit::TreeModelNode {
  explicit SceneNode(SceneNodeKind nodeKind, ChunkId nodeChunk = 0) : kind(nodeKind), chunk(nodeChunk) {}

  // Every node of a scene tree is a SceneNode.
  static SceneNode* Of(toolkit::TreeModelNode* node) { return static_cast<SceneNode*>(node); }
  SceneNode* Parent() const { return Of(TreeModelNode::Parent()); }
  SceneNode* FirstChild() const { return Of(TreeModelNode::FirstChild()); }
  SceneNode* LastChild() const { return Of(TreeModelNode::LastChild()); }
  SceneNode* NextSibling() const { return Of(TreeModelNode::NextSibling()); }
  bool Checked() const { return Check() == toolkit::CheckState::Checked; }

  const SceneNodeKind kind;
  // The document's chunk that the node shows, which keeps its identity
  // through a rename; 0 but for a chunk node.
  const ChunkId chunk;
};

// The five nodes that every scene tree has.
struct FixedNodes {
  SceneNode* scene2 = nullptr;
  SceneNode* objects = nullptr;
  SceneNode* definitions = nullptr;
  SceneNode* visualEffects = nullptr;
  SceneNode* initScripts = nullptr;

  // The node of one of kSceneSections.
  SceneNode*& OfSection(const SceneSection& section);
  SceneNode* OfSection(const SceneSection& section) const;
};

// The node of each section, in the order of kSceneSections.
inline constexpr SceneNode* FixedNodes::*kSectionNodes[] = {&FixedNodes::objects, &FixedNodes::definitions,
                                                            &FixedNodes::initScripts, &FixedNodes::visualEffects};
static_assert(std::size(kSectionNodes) == kSceneSectionCount);

inline SceneNode*& FixedNodes::OfSection(const SceneSection& section) {
  return this->*kSectionNodes[SectionIndex(section)];
}

inline SceneNode* FixedNodes::OfSection(const SceneSection& section) const {
  return this->*kSectionNodes[SectionIndex(section)];
}

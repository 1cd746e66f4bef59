#include "editing/SceneTree.h"

#include "scene/ChunkTypes.h"
#include "scene/Exception.h"
#include "scene/Hex.h"
#include "scene/qScene2bin.h"

void SceneTree::ResetTree() {
  model_.Clear();
  chunkNodes_.Clear();
  nodes_.scene2 = &AddNode(nullptr, SceneNodeKind::Root, "scene2");
  std::array<SceneNode*, 1 + kSceneSectionCount> fixed{nodes_.scene2};
  for (size_t place = 0; place < kSceneSectionCount; ++place) {
    const SceneSection& section = SectionAtWritePlace(place);
    fixed[1 + place] = nodes_.OfSection(section) = &AddNode(nodes_.scene2, SceneNodeKind::Section, section.nodeText);
  }
  for (SceneNode* node : fixed) model_.SetBold(*node);
  objectFolders_.fill(nullptr);
  definitionFolders_.fill(nullptr);
}

void SceneTree::FillTree(const SceneDocument& document) {
  ResetTree();
  for (const SceneSection& section : kSceneSections)
    AddSection(document.List(section),
               section.typeFolders ? nullptr : nodes_.OfSection(section));
}

SceneNode* SceneTree::FolderOf(const SceneNode& section, const std::string& text) {
  for (SceneNode* child = section.FirstChild(); child != nullptr; child = child->NextSibling())
    if (child->kind == SceneNodeKind::Folder && child->Text() == text) return child;
  return nullptr;
}

SceneNode& SceneTree::AddNode(SceneNode* parent, SceneNodeKind kind, std::string text, ChunkId chunk) {
  SceneNode& added = model_.Add<SceneNode>(parent, std::move(text), kind, chunk);
  if (chunk != 0) chunkNodes_[chunk] = &added;
  return added;
}

SceneNode& SceneTree::InsertNode(SceneNode& parent, SceneNode* previous, SceneNodeKind kind, std::string text,
                                 ChunkId chunk) {
  SceneNode& added = model_.Insert<SceneNode>(&parent, previous, std::move(text), kind, chunk);
  if (chunk != 0) chunkNodes_[chunk] = &added;
  return added;
}

void SceneTree::Remove(const std::vector<SceneNode*>& nodes) {
  for (const SceneNode* node : nodes) ForgetChunkNodes(*node);
  model_.Remove(std::vector<toolkit::TreeModelNode*>(nodes.begin(), nodes.end()));
}

void SceneTree::ForgetChunkNodes(const SceneNode& node) {
  if (node.chunk != 0) chunkNodes_[node.chunk] = nullptr;
  for (const SceneNode* child = node.FirstChild(); child != nullptr; child = child->NextSibling())
    ForgetChunkNodes(*child);
}

SceneNode* SceneTree::NodeOfChunk(ChunkId chunk) const {
  return chunkNodes_.Find(chunk);
}

// `section` null: each chunk goes under the folder of its own type.
void SceneTree::AddSection(const ChunkList& list, SceneNode* section) {
  for (const ChunkEntry& entry : list.Entries()) {
    const ByteView chunk = entry.chunk.Bytes();
    std::string name = GetChunkName(chunk);
    SceneNode& parent = section != nullptr ? *section : FolderForChunk(chunk);
    AddNode(&parent, SceneNodeKind::Chunk, std::move(name), entry.id);
  }
}

SceneTree::Placement SceneTree::PlaceOf(ByteView chunk) {
  const uint16_t type = GetChunkType(chunk);
  const SceneSection* section = SectionOfItemType(type);
  if (section == nullptr) throw Exception(Exception::Code::UnknownType, "Unknown hunkType " + HexUpper(type, 4));
  SceneNode* node = nodes_.OfSection(*section);
  switch (type) {
    case kObjectChunk: {
      const uint32_t code = GetObjectType(chunk);
      const int slot = KnownObjectTypeIndex(code);
      if (slot < 0) throw Exception(Exception::Code::UnknownType, "Unknown object " + ObjectTypeName(code));
      return {node, ObjectTypeName(code), &objectFolders_[static_cast<size_t>(slot)]};
    }
    case kDefinitionChunk: {
      const uint32_t code = GetDefinitionType(chunk);
      if (code >= kDefinitionTypeCount)
        throw Exception(Exception::Code::UnknownType, "Unknown difinition " + DefinitionTypeName(code));
      return {node, DefinitionTypeName(code), &definitionFolders_[code]};
    }
    default:
      return {node, ""};
  }
}

SceneNode& SceneTree::FolderForChunk(ByteView chunk) {
  const Placement place = PlaceOf(chunk);
  if (place.slot == nullptr) return *place.section;
  return FolderInSlot(*place.slot, *place.section, place.folder);
}

SceneNode& SceneTree::AddChunkNode(ChunkId chunk, ByteView bytes) {
  SceneNode* parent = ParentFor(bytes);
  if (parent == nullptr) parent = &MakeFolderFor(bytes, PlaceOf(bytes).section->LastChild());
  return AddNode(parent, SceneNodeKind::Chunk, GetChunkName(bytes), chunk);
}

bool SceneTree::StandsRight(const SceneNode& node, ByteView chunk) { return node.Parent() == ParentFor(chunk); }

SceneTree::Home SceneTree::HomeOf(ByteView chunk) {
  Placement place = PlaceOf(chunk);
  return {SectionIndexOf(*place.section), std::move(place.folder)};
}

SceneNode* SceneTree::ParentFor(ByteView chunk) {
  const Placement place = PlaceOf(chunk);
  return place.slot != nullptr ? FolderOf(*place.section, place.folder) : place.section;
}

SceneNode& SceneTree::MakeFolderFor(ByteView chunk, SceneNode* previous) {
  const Placement place = PlaceOf(chunk);
  SceneNode& folder = InsertNode(*place.section, previous, SceneNodeKind::Folder, place.folder);
  if (place.slot != nullptr) *place.slot = &folder;
  return folder;
}

size_t SceneTree::SectionIndexOf(const SceneNode& node) const {
  const SceneNode* section = &node;
  while (section->Parent() != nullptr && section->Parent() != nodes_.scene2) section = section->Parent();
  for (size_t index = 0; index < kSceneSectionCount; ++index)
    if (nodes_.OfSection(kSceneSections[index]) == section) return index;
  return 0;
}

SceneNode& SceneTree::FolderInSlot(SceneNode*& slot, SceneNode& section, const std::string& text) {
  if (slot == nullptr) slot = &AddNode(&section, SceneNodeKind::Folder, text);
  return *slot;
}

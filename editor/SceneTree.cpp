#include "editor/SceneTree.h"

#include "scene/ChunkTypes.h"
#include "scene/Exception.h"
#include "scene/Hex.h"

void SceneTree::ResetTree() {
  model_.Clear();
  nodes_.scene2 = &AddNode(nullptr, SceneNodeKind::Root, "scene2");
  nodes_.objects = &AddNode(nodes_.scene2, SceneNodeKind::Section, "Objects");
  nodes_.definitions = &AddNode(nodes_.scene2, SceneNodeKind::Section, "Difinitions");
  nodes_.visualEffects = &AddNode(nodes_.scene2, SceneNodeKind::Section, "Visual effects");
  nodes_.initScripts = &AddNode(nodes_.scene2, SceneNodeKind::Section, "Init Scripts");
  for (SceneNode* node : {nodes_.scene2, nodes_.objects, nodes_.definitions, nodes_.visualEffects, nodes_.initScripts})
    model_.SetBold(*node);
  objectFolders_.fill(nullptr);
  definitionFolders_.fill(nullptr);
}

void SceneTree::FillTree(TqScene2bin& document) {
  ResetTree();
  AddSection(document.Objects(), nullptr);
  AddSection(document.Definitions(), nullptr);
  AddSection(document.InitScripts(), nodes_.initScripts);
  AddSection(document.VisualEffects(), nodes_.visualEffects);
}

namespace {

SceneNode* FindChild(const SceneNode& parent, const std::string& text) {
  for (SceneNode* child = parent.FirstChild(); child != nullptr; child = child->NextSibling())
    if (child->Text() == text) return child;
  return nullptr;
}

}  // namespace

SceneNode& SceneTree::AddNode(SceneNode* parent, SceneNodeKind kind, const std::string& text, PStream chunk) {
  return model_.Add<SceneNode>(parent, text, kind, chunk);
}

// `section` null: each chunk goes under the folder of its own type.
void SceneTree::AddSection(const ChunkList& list, SceneNode* section) {
  list.ForEach([this, section](TMemoryStream& chunk) {
    const std::string name = GetChunkName(chunk);
    SceneNode& parent = section != nullptr ? *section : FolderForChunk(chunk);
    AddNode(&parent, SceneNodeKind::Chunk, name, &chunk);
  });
}

SceneTree::Placement SceneTree::PlaceOf(TMemoryStream& chunk) {
  const uint16_t type = GetChunkType(chunk);
  switch (type) {
    case kObjectChunk: {
      const uint32_t code = GetObjectType(chunk);
      const int slot = KnownObjectTypeIndex(code);
      if (slot < 0) throw Exception(Exception::Code::UnknownType, "Unknown object " + ObjectTypeName(code));
      return {nodes_.objects, ObjectTypeName(code), &objectFolders_[static_cast<size_t>(slot)]};
    }
    case kDefinitionChunk: {
      const uint32_t code = GetDefinitionType(chunk);
      if (code >= kDefinitionTypeCount)
        throw Exception(Exception::Code::UnknownType, "Unknown difinition " + DefinitionTypeName(code));
      return {nodes_.definitions, DefinitionTypeName(code), &definitionFolders_[code]};
    }
    case kVisualEffectChunk:
      return {nodes_.visualEffects, ""};
    case kInitScriptChunk:
      return {nodes_.initScripts, ""};
    default:
      throw Exception(Exception::Code::UnknownType, "Unknown hunkType " + HexUpper(type, 4));
  }
}

SceneNode& SceneTree::FolderForChunk(TMemoryStream& chunk) {
  const Placement place = PlaceOf(chunk);
  if (place.slot == nullptr) return *place.section;
  return FolderInSlot(*place.slot, *place.section, place.folder);
}

SceneNode& SceneTree::AddChunkNode(TMemoryStream& chunk) {
  const Placement place = PlaceOf(chunk);
  SceneNode* parent = place.section;
  if (place.slot != nullptr) {
    parent = FindChild(*place.section, place.folder);
    if (parent == nullptr) parent = &AddNode(place.section, SceneNodeKind::Folder, place.folder);
    *place.slot = parent;
  }
  return AddNode(parent, SceneNodeKind::Chunk, GetChunkName(chunk), &chunk);
}

SceneNode& SceneTree::FolderInSlot(SceneNode*& slot, SceneNode& section, const std::string& text) {
  if (slot == nullptr) slot = &AddNode(&section, SceneNodeKind::Folder, text);
  return *slot;
}

#include "editor/SceneTree.h"

#include "scene/ChunkTypes.h"
#include "scene/Exception.h"
#include "scene/Hex.h"

PStream ChunkOf(const toolkit::TreeView& tree, toolkit::TreeItem node) {
  return reinterpret_cast<PStream>(tree.Data(node));
}

void SceneTree::ResetTree() {
  tree_.DeleteAll();
  nodes_.scene2 = tree_.Insert(nullptr, "scene2");
  nodes_.objects = tree_.Insert(nodes_.scene2, "Objects");
  nodes_.definitions = tree_.Insert(nodes_.scene2, "Difinitions");
  nodes_.visualEffects = tree_.Insert(nodes_.scene2, "Visual effects");
  nodes_.initScripts = tree_.Insert(nodes_.scene2, "Init Scripts");
  for (toolkit::TreeItem node :
       {nodes_.scene2, nodes_.objects, nodes_.definitions, nodes_.visualEffects, nodes_.initScripts})
    tree_.SetBold(node);
  ObjectFolders.fill(nullptr);
  DefinitionFolders.fill(nullptr);
  tree_.Expand(nodes_.scene2);
}

void SceneTree::FillTree(TqScene2bin& document) {
  ResetTree();
  AddSection(document.CountByChunkID(kObjectChunk), &TqScene2bin::GetObject, document, nullptr);
  AddSection(document.CountByChunkID(kDefinitionChunk), &TqScene2bin::GetDefinition, document, nullptr);
  AddSection(document.CountByChunkID(kInitScriptChunk), &TqScene2bin::GetInitScript, document, nodes_.initScripts);
  AddSection(document.CountByChunkID(kVisualEffectChunk), &TqScene2bin::GetVisualEffect, document,
             nodes_.visualEffects);
}

// `section` null: each chunk goes under the folder of its own type.
void SceneTree::AddSection(int32_t count, PStream (TqScene2bin::*get)(int32_t) const, TqScene2bin& document,
                           toolkit::TreeItem section) {
  for (int32_t index = 0; index < count; ++index) {
    TMemoryStream& chunk = *(document.*get)(index);
    const std::string name = GetChunkName(chunk);
    toolkit::TreeItem parent = section != nullptr ? section : FolderForChunk(chunk);
    tree_.Insert(parent, name, reinterpret_cast<LPARAM>(&chunk));
  }
}

toolkit::TreeItem SceneTree::FolderForChunk(TMemoryStream& chunk) {
  const uint16_t type = GetChunkType(chunk);
  switch (type) {
    case kObjectChunk: {
      const uint32_t code = GetObjectType(chunk);
      const int slot = KnownObjectTypeIndex(code);
      if (slot < 0) throw Exception(Exception::Code::UnknownType, "Unknown object " + ObjectTypeName(code));
      return FolderInSlot(ObjectFolders[static_cast<size_t>(slot)], nodes_.objects, ObjectTypeName(code));
    }
    case kDefinitionChunk: {
      const uint32_t code = GetDefinitionType(chunk);
      if (code >= kDefinitionTypeCount)
        throw Exception(Exception::Code::UnknownType, "Unknown difinition " + DefinitionTypeName(code));
      return FolderInSlot(DefinitionFolders[code], nodes_.definitions, DefinitionTypeName(code));
    }
    case kVisualEffectChunk:
      return nodes_.visualEffects;
    case kInitScriptChunk:
      return nodes_.initScripts;
    default:
      throw Exception(Exception::Code::UnknownType, "Unknown hunkType " + HexUpper(type, 4));
  }
}

toolkit::TreeItem SceneTree::FolderInSlot(toolkit::TreeItem& slot, toolkit::TreeItem section, const std::string& text) {
  if (slot == nullptr) slot = tree_.Insert(section, text);
  return slot;
}

#include "editing/SoundChunk.h"

#include <string>

#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "scene/Exception.h"
#include "scene/Hex.h"
#include "scene/WholeChunk.h"

bool IsSoundNode(const SceneNode* node, const SceneDocument& document) {
  if (node == nullptr) return false;
  const ChunkRef chunk = document.Get(node->chunk);
  return chunk != nullptr && GetChunkType(chunk.Bytes()) == kObjectChunk &&
         GetObjectType(chunk.Bytes()) == kSoundObjectType;
}

bool TakesNewSound(const SceneNode* node, const FixedNodes& nodes) {
  if (node == nullptr) return false;
  return node == nodes.objects || (node->kind == SceneNodeKind::Folder && node->Parent() == nodes.objects &&
                                   node->Text() == ObjectTypeName(kSoundObjectType));
}

Chunk AcceptSoundChunk(const uint8_t* data, int32_t size) {
  const auto refuse = [](const std::string& reason) {
    return Exception(Exception::Code::Invalid, "The sound plug-in gave back " + reason + ".");
  };
  const ByteView block(data, size > 0 ? static_cast<size_t>(size) : 0);
  if (const std::optional<WholeChunkProblem> problem = CheckWholeChunk(block, block.Length())) {
    if (problem->fault == WholeChunkProblem::Fault::ShorterThanHeader)
      throw refuse(std::to_string(size) + " bytes, less than a chunk's header");
    throw refuse("a chunk whose size field says " + std::to_string(problem->sizeField) + " bytes in a block of " +
                 std::to_string(size));
  }
  if (const uint16_t type = GetChunkType(block); type != kObjectChunk)
    throw refuse("a chunk of type " + HexUpper(type, 4) + ", not an object");
  if (const uint32_t objectType = GetObjectType(block); objectType != kSoundObjectType)
    throw refuse("an object of type " + std::to_string(objectType) + ", not a sound");
  return Chunk::CopyOf(block);
}

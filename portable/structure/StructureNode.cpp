#include "structure/StructureNode.h"

#include "scene/ChunkTypes.h"

ByteView LeafBytes(ByteView chunk, const StructureNode& node) {
  if (node.kind != StructureNode::Kind::Chunk) return chunk.Part(node.offset, node.length);
  if (node.length < kChunkHeaderSize) return {};
  return chunk.Part(node.offset + kChunkHeaderSize, node.length - kChunkHeaderSize);
}

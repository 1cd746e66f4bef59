#pragma once
// What the sound-object plug-in hands back, checked before it goes near the
// document: a block of the plug-in's own, which may hold anything.

#include <cstdint>

#include "editing/SceneNode.h"
#include "scene/Chunk.h"
#include "scene/SceneDocument.h"

// Whether the node is the chunk of a sound object: "Sound settings.." edits it.
bool IsSoundNode(const SceneNode* node, const SceneDocument& document);
// Whether "New sound.." starts from the node: the "Objects" node or its sound folder.
bool TakesNewSound(const SceneNode* node, const FixedNodes& nodes);

// A copy of the block as a chunk when it is a whole sound object: at least a
// chunk's header, a size field equal to the block's length, an object chunk,
// of object type sound. Raises Exception with the reason when it is not.
Chunk AcceptSoundChunk(const uint8_t* data, int32_t size);

#pragma once
// Building a new sound object chunk from the values that the dialog edits, in
// a block that the host takes over.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

#include "sound/SoundFields.h"
#include "scene/ChunkWriter.h"

// Gives a block of `length` bytes, or null when there is none to be had. The
// Win32 half passes the local heap's fixed memory, which the host frees.
using BlockAllocator = std::function<void*(size_t length)>;

struct SoundBlock {
  uint8_t* Data = nullptr;
  int32_t Size = 0;
};

// The sub-chunks of a sound object, inside an object chunk that the caller
// opens and closes.
void WriteSoundObjectBody(ChunkWriter& out, const SoundFields& fields);

// The whole object chunk in a block of exactly its length; nothing when the
// block can't be had or the chunk would be longer than a size field can say.
std::optional<SoundBlock> WriteSoundObject(const SoundFields& fields, const BlockAllocator& allocate);

// Hands a confirmed edit back to the host: the host's chunk pointer and size
// take the new block. When there is no block the edit ends as cancelled: false,
// with the pointer and the size as they were.
bool HandBackSoundObject(const SoundFields& fields, const BlockAllocator& allocate, uint8_t*& chunk, int32_t& size);
